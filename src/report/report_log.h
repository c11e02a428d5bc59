// Where floorplan-report gets the log from: the named file or standard
// input, told apart from what cannot be a log (a directory, a closed
// standard input), then read in one pass with every move fed to the run's
// cost curve. Line length is bounded by what a log of the data file can
// hold, so no input can make it hold more than one such line.
#ifndef FLOORPLAN_REPORT_REPORT_LOG_H_
#define FLOORPLAN_REPORT_REPORT_LOG_H_

#include <cstdio>
#include <string>
#include <vector>

#include "anneal/log_reader.h"
#include "io/data_file.h"
#include "report/cost_curve.h"

// The length of the expression of the data file's modules: the longest a
// final solution over them can be.
size_t ExpressionLength(const std::vector<DataModule>& modules);

// `path` empty: read `in`, which stays the caller's. False, with the message
// ("NAME:LINE: what is wrong", NAME being `path` or <stdin>), when the log
// cannot be opened or read or is not a whole log of a run.
bool ReadReportLog(const std::string& path, FILE* in,
                   const std::vector<DataModule>& modules, CostCurve* curve,
                   RunLog* log, std::string* error);

#endif  // FLOORPLAN_REPORT_REPORT_LOG_H_
