#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace trel {

// Status texts of a job.
inline constexpr char kDownloadingText[] = "Downloading...";
inline constexpr char kDownloadSuccessText[] = "Download success.";
inline constexpr char kPortNotOpenedText[] = "Sorry,can't open the port,please try again.";
inline constexpr char kOtherDataText[] = "Maybe the port have some other data,please try again.";
inline constexpr char kTryAgainText[] = "Please try again or check the port.";
inline constexpr char kNotRecordedText[] = "The file can't write";
inline constexpr char kErrorCaption[] = "Error";

// A failed exchange whose longest reply reached this many bytes met traffic that was no printer
// acknowledgement.
inline constexpr std::uint32_t kForeignDataReplyLength = 31;

// The status text for a job's end (the lParam of WM_UPDATE_STATUS with kStatusJobEnded); on failure
// the front end also shows it in a message box captioned kErrorCaption.
std::string OutcomeText(std::intptr_t outcome, std::uint32_t longestReply);

// The progress bar stops one short of full until the job's success fills it.
inline constexpr int kProgressFull = 100;

// Counts one reply; returns the progress bar position to show, or nothing when the bar stays.
std::optional<int> AdvanceProgress(int& progressSteps);

}  // namespace trel
