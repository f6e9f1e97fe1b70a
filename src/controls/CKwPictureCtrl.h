// The picture control: shows one picture decoded by the image object.
#pragma once

#include <QFrame>
#include <QImage>

#include <cstdint>
#include <span>
#include <string>

namespace kw::image {
class CLayoutImage;
}

namespace kw::controls {

/// Draws a picture, at its own size or scaled down to fit (keeping its proportions), centred. Without a
/// picture it shows its text (for example why there is no preview). Pictures are decoded by the image
/// object and drawn through the device layer, as the preview draws them.
class CKwPictureCtrl : public QFrame {
public:
    enum class Fit { OwnSize, ShrinkToFit };

    explicit CKwPictureCtrl(QWidget *parent = nullptr);

    /// Decodes `bytes` as a picture of image type `type` (1 BMP ... 5 XBM). On failure the control shows
    /// no picture, `lastError()` tells why and the result is false.
    bool loadPicture(std::span<const std::uint8_t> bytes, int type);
    /// Shows an already decoded picture (an empty one clears the control).
    void setPicture(const image::CLayoutImage &picture);
    void clear();

    /// The picture as drawn at its own size; a null image while there is none.
    const QImage &picture() const { return m_picture; }
    const std::string &lastError() const { return m_lastError; }

    /// What is shown while there is no picture.
    void setText(const QString &text);
    const QString &text() const { return m_text; }

    void setFit(Fit fit);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QString m_text;
    std::string m_lastError;
    Fit m_fit = Fit::OwnSize;
};

} // namespace kw::controls
