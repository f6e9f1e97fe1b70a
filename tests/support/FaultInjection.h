// A server environment that fails on purpose: wraps a real factory and throws a ServerError when a file
// whose name matches is written (or read), or a statement runs, so tests can break any step of an operation.
#pragma once

#include "server/LocalPortal.h"

#include <set>
#include <string>

namespace kw::test {

struct FaultPlan {
    std::set<std::string> failWrites; // file names (any case) whose PutBytes/AppendText fail
    std::set<std::string> failReads;  // file names whose GetBytes fail
    bool failReload = false;          // ReloadLanguageTexts answers no
    bool failSql = false;             // ExecuteSql fails
    int writeAttempts = 0;            // counts the failed writes
};

/// The environment `inner` with the faults of `plan` (which must outlive it).
server::Environment withFaults(const server::Environment &inner, FaultPlan &plan);

} // namespace kw::test
