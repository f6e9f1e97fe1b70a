// The page header's date for the window: today, in the language of the user's locale as Qt reads it.
#pragma once

#include "portalpage/HeaderDate.h"

#include <QDate>
#include <QLocale>

namespace kw::preview {

/// The header's date `today` for a user of `user`'s locale: the German form for a German locale and for the
/// C locale (no language chosen: the window's language, German, holds), else the locale's language with
/// the names of that locale where the system has it (English names otherwise).
portalpage::HeaderDate headerDateFor(const QLocale &user, QDate today);

/// Today's header date for the system's locale (QLocale::system()).
portalpage::HeaderDate headerDateToday();

} // namespace kw::preview
