#pragma once

#include "cli/job_console.h"
#include "cli/job_output.h"
#include "cli/job_result.h"
#include "update/update_job.h"

namespace trel {

// Runs one printer's job over a serial session of its own, started for it and shut down after it;
// with `trace`, every frame sent and every reply appears on the job's output. Whatever goes wrong
// around the job ends as this printer's failure, never another printer's.
JobResult RunOverSession(JobConsole& console, UpdateJob job, bool trace, JobOutput& output);

}  // namespace trel
