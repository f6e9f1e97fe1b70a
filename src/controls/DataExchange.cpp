#include "controls/DataExchange.h"

#include "controls/CFontChooserCtrl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace kw::controls {

namespace {

/// Ends an exchange after a refused value (caught in DataExchange::run).
struct Refused {};

} // namespace

std::string notANumberMessage()
{
    return "Bitte geben Sie eine ganze Zahl ein.";
}

std::string outOfRangeMessage(int min, int max)
{
    return "Bitte geben Sie eine ganze Zahl zwischen " + std::to_string(min) + " und " + std::to_string(max) +
           " ein.";
}

void DataExchange::text(QLineEdit *edit, std::string &value)
{
    if (m_saving)
        value = edit->text().toStdString();
    else
        edit->setText(QString::fromStdString(value));
}

void DataExchange::text(CFontChooserCtrl *chooser, std::string &value)
{
    if (m_saving)
        value = chooser->text();
    else
        chooser->setText(value);
}

void DataExchange::number(QLineEdit *edit, int &value, int min, int max)
{
    if (!m_saving) {
        edit->setText(QString::number(value));
        return;
    }
    if (!edit->isEnabled())
        return; // the user could not change it: the field keeps its value
    bool ok = false;
    const qlonglong read = edit->text().trimmed().toLongLong(&ok);
    if (!ok)
        refuse(edit, notANumberMessage());
    if (read < min || read > max)
        refuse(edit, outOfRangeMessage(min, max));
    value = static_cast<int>(read);
}

void DataExchange::check(QAbstractButton *box, bool &value)
{
    if (m_saving)
        value = box->isChecked();
    else
        box->setChecked(value);
}

void DataExchange::radio(std::initializer_list<QAbstractButton *> buttons, int &value)
{
    int i = 0;
    if (m_saving) {
        value = -1;
        for (QAbstractButton *button : buttons) {
            if (button->isChecked())
                value = i;
            ++i;
        }
        return;
    }
    for (QAbstractButton *button : buttons)
        button->setChecked(i++ == value);
}

void DataExchange::index(QComboBox *list, int &value)
{
    if (m_saving)
        value = list->currentIndex();
    else
        list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

void DataExchange::refuse(QWidget *control, std::string_view message)
{
    m_prompter.tell(message);
    control->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->selectAll();
    throw Refused{};
}

bool DataExchange::run(bool saving, Prompter &prompter, const std::function<void(DataExchange &)> &exchange)
{
    DataExchange dx(saving, prompter);
    try {
        exchange(dx);
    } catch (const Refused &) {
        return false;
    }
    return true;
}

} // namespace kw::controls
