// The portal store's file seam for tests: counts the system calls that change files and makes a chosen
// one fail (as a full disk would) or stop the program there (as a crash would).
#pragma once

#include "server/FileOps.h"

#include <array>
#include <stdexcept>

namespace kw::test {

/// Thrown out of the seam to stop an operation dead, the way a killed program stops: nothing after the
/// call runs, no clean-up of the store (destructors of the caller still run).
struct SimulatedCrash : std::runtime_error {
    SimulatedCrash() : std::runtime_error("simulated crash") {}
};

class FileFaults final : public server::FileOps {
public:
    enum class Op { Write, Fsync, Rename, Link, Unlink, Any };

    /// The `n`th call (1-based, counted from now) of kind `op` fails with `error` (errno), or crashes.
    void failAt(Op op, int n, int error = 5 /* EIO */);
    void crashAt(Op op, int n);
    /// Counts from now, no fault planned.
    void reset();
    int count(Op op) const { return m_counts[static_cast<std::size_t>(op)]; }
    bool fired() const { return m_fired; }

    ssize_t write(int fd, const void *data, std::size_t size) override;
    int fsync(int fd) override;
    int rename(const char *from, const char *to) override;
    int link(const char *from, const char *to) override;
    int unlink(const char *path) override;

private:
    /// True when this call is the planned one (errno set for a failure; throws for a crash).
    bool hit(Op op);

    std::array<int, 6> m_counts{};
    Op m_op = Op::Any;
    int m_at = 0; // 0: no fault planned
    int m_error = 0;
    bool m_crash = false;
    bool m_fired = false;
};

} // namespace kw::test
