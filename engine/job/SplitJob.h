// The split job: every listed file, piece by piece, one splitter run per piece.
#pragma once

#include "engine/job/JobReport.h"
#include "engine/job/SplitHost.h"
#include "engine/process/ProcessRunner.h"

namespace parvane {

// Splits every listed file, tells the host as it goes, and returns what became of each
// file: the report is the job's one result, never told as an event as well. When no splitter can be
// found or started, splits nothing more. A stop asked for by the host cuts the running splitter off
// and ends the job. Every piece appears complete under its path or not at all. An exception thrown
// on the way ends the job as an internal error.
JobReport RunSplitJob(SplitHost& host, ProcessRunner& runner);

}  // namespace parvane
