#pragma once

#include <chrono>
#include <string>

namespace trel {

// The progress of a job as one line shows it on a terminal: a bar, the percentage padded to the
// width of "100", the frames written to the printer (from the first one on, so a recording, which
// writes none, shows no count) and the minutes and seconds since the job began.
std::string ProgressText(int position, int framesSent, std::chrono::seconds elapsed);

// Off a terminal the progress is a plain line each time it passes a tenth, so logs stay readable.
bool PassesPlainProgressStep(int previous, int position);

}  // namespace trel
