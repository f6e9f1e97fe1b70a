// Damages a recorded step of a layout's history on purpose, as only a bug could, for the tests of what a
// step that cannot be applied does.
#pragma once

#include "layout/LayoutHistory.h"

#include <gtest/gtest.h>

#include <string>

namespace kw::layout {

struct HistoryTestAccess {
    /// Gives the first changed field of step `step` a value that fits no field.
    static void damage(LayoutHistory &history, std::size_t step)
    {
        auto &fields = history.m_steps.at(step).delta.m_fields;
        ASSERT_FALSE(fields.empty());
        fields.front().before = std::string("kein Wert dieses Feldes");
        fields.front().after = std::string("kein Wert dieses Feldes");
    }
};

} // namespace kw::layout
