#pragma once

#include "cli/job_result.h"

namespace trel {

// What a job tells besides its output for people, as it happens: the send command turns it into
// --json events and lines of the update log. The calls come from the job's own thread.
class JobEvents {
 public:
  virtual ~JobEvents() = default;
  virtual void started() {}
  virtual void progressed(int /*percent*/, int /*framesSent*/) {}
  virtual void ended(const JobResult& /*result*/) {}
};

}  // namespace trel
