#include <windows.h>

#include "app/quil_update_app.h"
#include "win32/win32_renderer.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  trel::Win32Renderer renderer;
  return trel::CquilUpdateApp(renderer).run();
}
