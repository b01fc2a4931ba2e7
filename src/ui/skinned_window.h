#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

class QRegion;

namespace chronolien {

// A borderless, always-on-top window that stays out of the taskbar, drawn entirely by its skin
// picture (its background, "fond") and cut to a fixed outline. Its place is kept in twips.
class SkinnedWindow : public QWidget {
    Q_OBJECT

public:
    // The inner area and the picture's area, in twips.
    SkinnedWindow(const QString& name, QSize innerTwips, QSize pictureTwips);

    // The skin picture; the window keeps it until another is set.
    void setPicture(const QImage& picture);

    // Cuts the window to its outline (in pixels from its top-left corner).
    void setOutline(const QRegion& outline);

    // Puts the window in the always-on-top band and in front of the other windows of that band.
    void makeTopmost();

    int leftTwips() const;
    int topTwips() const;
    void moveToTwips(int left, int top);
    void setLeftTwips(int left) { moveToTwips(left, topTwips()); }
    void setTopTwips(int top) { moveToTwips(leftTwips(), top); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QSize m_pictureSize;
    // The place as last set in twips; the window itself can stand only on whole pixels.
    QPoint m_placeTwips;
};

} // namespace chronolien
