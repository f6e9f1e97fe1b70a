// The fixture of the kwlayout tests that start from a fresh demo portal: made with the built kwlayout in
// a temporary folder, on the case's database backend.
#pragma once

#include "BackendTest.h"
#include "KwlayoutRun.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kw::test {

class DemoPortalCliTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_EQ(run(kwlayoutCommand(portal, "portal-init --demo" + databaseOption())).status, 0);
    }
    /// A file of the portal, by its path below the portal folder.
    std::string file(const std::string &relative) const { return readFile(portal / relative); }

    TempDir dir;
    std::filesystem::path portal = dir.path() / "portal";
};

} // namespace kw::test
