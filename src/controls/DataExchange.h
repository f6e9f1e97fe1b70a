// Data exchange between a dialog's controls and its value fields, with the standard refusal messages.
#pragma once

#include "base/Prompter.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace kw::controls {

class CFontChooserCtrl;

/// The standard messages for a field that does not hold a whole number, or one outside its range.
std::string notANumberMessage();
std::string outOfRangeMessage(int min, int max);

/// One exchange in one direction: showing the fields in the controls, or taking the controls' values into
/// the fields (`saving()`). Taking a value that is refused tells the user why, puts the focus on the control
/// and ends the exchange; the fields taken before it keep their new values.
class DataExchange {
public:
    DataExchange(bool saving, Prompter &prompter) : m_saving(saving), m_prompter(prompter) {}

    bool saving() const { return m_saving; }

    void text(QLineEdit *edit, std::string &value);
    void text(CFontChooserCtrl *chooser, std::string &value);
    /// A whole number in min..max (blanks around it allowed). A disabled field keeps its value.
    void number(QLineEdit *edit, int &value, int min, int max);
    void check(QAbstractButton *box, bool &value);
    /// A group of radio buttons: the index of the checked one (-1 none).
    void radio(std::initializer_list<QAbstractButton *> buttons, int &value);
    /// The selected index of a drop-down list (-1 none).
    void index(QComboBox *list, int &value);

    /// Refuses the value of `control`: tells `message`, focuses the control and ends the exchange.
    [[noreturn]] void refuse(QWidget *control, std::string_view message);

    /// Runs `exchange`; false when a value was refused.
    static bool run(bool saving, Prompter &prompter, const std::function<void(DataExchange &)> &exchange);

private:
    bool m_saving;
    Prompter &m_prompter;
};

} // namespace kw::controls
