// Helpers of the property page tests: working a modal dialog from inside its event loop, and the controls
// found by their IDs.
#pragma once

#include "WidgetTestSupport.h"

#include <QCheckBox>
#include <QPushButton>

namespace kw::pages::test {

using kw::test::click;
using kw::test::control;
using kw::test::whenModal;

} // namespace kw::pages::test
