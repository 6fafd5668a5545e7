#include <windows.h>

#include <thread>

#include "platform/tool_folder_lock.h"
#include "platform/wide_text_win32.h"

namespace trel {
namespace {

// Named objects of this session: the lock, and the event a second start sets to ask for the window.
std::wstring LockName(const std::filesystem::path& folder) {
  return L"Local\\" + WideFromUtf8(ToolFolderLockName(folder));
}

std::wstring ShowRequestName(const std::filesystem::path& folder) {
  return LockName(folder) + L"-show";
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != nullptr) {
      ::CloseHandle(handle_);
    }
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Waits for show requests on a thread of its own until it goes; its own event wakes it to stop.
class ShowRequestListening : public ToolFolderLock::Listening {
 public:
  ShowRequestListening(HANDLE request, std::function<void()> onRequest)
      : request_(request), onRequest_(std::move(onRequest)) {
    if (stop_.get() != nullptr) {
      thread_ = std::thread([this] { run(); });
    }
  }
  ~ShowRequestListening() override {
    if (thread_.joinable()) {
      ::SetEvent(stop_.get());
      thread_.join();
    }
  }

 private:
  void run() {
    const HANDLE waits[] = {stop_.get(), request_};
    while (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
      onRequest_();
    }
  }

  HANDLE request_;
  std::function<void()> onRequest_;
  Handle stop_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::thread thread_;
};

// A named mutex: the name exists while a process holds a handle to it, and the system closes the
// handle when the process ends.
class MutexLock : public ToolFolderLock {
 public:
  MutexLock(HANDLE mutex, HANDLE request) : mutex_(mutex), request_(request) {}
  std::unique_ptr<Listening> listen(std::function<void()> onAskedToShow) override {
    return std::make_unique<ShowRequestListening>(request_.get(), std::move(onAskedToShow));
  }

 private:
  Handle mutex_;
  Handle request_;
};

}  // namespace

std::unique_ptr<ToolFolderLock> ToolFolderLock::Take(const std::filesystem::path& folder) {
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, LockName(folder).c_str());
  if (mutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return nullptr;
  }
  HANDLE request = ::CreateEventW(nullptr, FALSE, FALSE, ShowRequestName(folder).c_str());
  return std::make_unique<MutexLock>(mutex, request);
}

bool AskLockHolderToShow(const std::filesystem::path& folder) {
  const Handle request(::OpenEventW(EVENT_MODIFY_STATE, FALSE, ShowRequestName(folder).c_str()));
  return request.get() != nullptr && ::SetEvent(request.get()) != 0;
}

}  // namespace trel
