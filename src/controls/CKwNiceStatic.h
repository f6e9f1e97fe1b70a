// The header caption: a static text that heads a group of controls.
#pragma once

#include <QLabel>

namespace kw::controls {

/// A label that, in header mode, shows its text in bold on a shaded bar across the page. Outside header
/// mode it is a plain label.
class CKwNiceStatic : public QLabel {
public:
    explicit CKwNiceStatic(const QString &text = {}, QWidget *parent = nullptr);

    bool headerMode() const { return m_header; }
    void setHeaderMode(bool on);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_header = false;
};

} // namespace kw::controls
