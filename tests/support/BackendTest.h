// Cases that run once on each database backend: derive the fixture from BackendTest, build the portal
// with backend(), and instantiate the suite with KW_ON_BOTH_BACKENDS(Suite).
#pragma once

#include "TempPortal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kw::test {

class BackendTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        const std::string reason = unavailableReason(GetParam());
        if (reason.empty())
            return;
        if (backendRequired())
            FAIL() << reason;
        GTEST_SKIP() << reason;
    }
    /// The arguments that put a new portal's database on this case's backend: " --database 'URL'" with
    /// a fresh PostgreSQL database (made on the first call), "" for the embedded one.
    std::string databaseOption()
    {
        if (backend() != Backend::Postgres)
            return {};
        if (!m_database)
            m_database = std::make_unique<TempPostgresDatabase>();
        return " --database '" + m_database->address() + "'";
    }
    /// The backend for this case's portal: the parameter, or SQLite for a case that is skipped (whose
    /// fixture is built before SetUp can skip it).
    Backend backend() const { return unavailableReason(GetParam()).empty() ? GetParam() : Backend::Sqlite; }

private:
    std::unique_ptr<TempPostgresDatabase> m_database; // dropped after the derived fixture's folders
};

/// The name of a parameterised case: its backend.
inline std::string backendCaseName(const ::testing::TestParamInfo<Backend> &param)
{
    return backendName(param.param);
}

} // namespace kw::test

#define KW_ON_BOTH_BACKENDS(Suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite,                                                                \
                             ::testing::Values(::kw::test::Backend::Sqlite, ::kw::test::Backend::Postgres),  \
                             ::kw::test::backendCaseName)

/// For a case that needs the PostgreSQL test server: skips it (fails it when required) without one.
#define KW_SKIP_WITHOUT_POSTGRES()                                                                           \
    do {                                                                                                     \
        const std::string reason_ = ::kw::test::unavailableReason(::kw::test::Backend::Postgres);            \
        if (reason_.empty())                                                                                 \
            break;                                                                                           \
        if (::kw::test::backendRequired())                                                                   \
            FAIL() << reason_;                                                                               \
        GTEST_SKIP() << reason_;                                                                             \
    } while (false)
