#pragma once

#include <cstdint>

namespace trel {

// Message numbers that the engine posts to its front end; the values are those the desktop tool's
// window procedure has always used, so recordings of its traffic stay comparable.
// The first message number a window may give a meaning of its own (Windows calls it WM_USER).
inline constexpr unsigned kFirstUserMessage = 0x400;
inline constexpr unsigned WM_PORT_FOUND =
    kFirstUserMessage + 1;  // a port was discovered (packed name)
inline constexpr unsigned WM_LINK_ENDED = kFirstUserMessage + 2;  // a read loop ended
inline constexpr unsigned WM_UPDATE_STATUS = kFirstUserMessage + 19;
inline constexpr unsigned WM_LIST_GET_CHOICES = 0x83FC;
inline constexpr unsigned WM_LIST_EDITED = 0x83FD;
inline constexpr unsigned WM_LIST_ROW_SELECTED = 0x83FE;

// WM_UPDATE_STATUS arguments.
inline constexpr std::uintptr_t kStatusReply = 0;
inline constexpr std::uintptr_t kStatusJobEnded = 1;
inline constexpr std::intptr_t kJobFailed = 0;
inline constexpr std::intptr_t kJobSucceeded = 1;
inline constexpr std::intptr_t kJobPortNotOpened = 2;
inline constexpr std::intptr_t kJobNotRecorded = 3;  // the output file did not take a frame

// Where the engine's threads post their messages. The desktop tool turns a post into a queued event
// handled on its UI thread; the command line handles it on its own thread. post() never blocks and
// may be called from any thread.
class WindowMessages {
 public:
  virtual ~WindowMessages() = default;
  virtual void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace trel
