// The About box (TAboutForm): the program's name and purpose, its maker and its release, with
// the program's icon and the maker's. Modeless, on top, laid out for AboutDpi; dragged by any
// point of its client area with the left button; closes itself when it loses activation and
// frees itself when closed, so at most one exists (AboutFormInst).
//
// Assumes: AboutDpi is set before the box is created. Holds: icons are AboutDpi x 32 div 96
// pixels square, drawn at x = AboutDpi x 16 div 96 beside Label1 and Label2.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QUrl>
#include <QWidget>

#include <functional>

namespace verrask::app {

class TAboutForm;
inline TAboutForm* AboutFormInst = nullptr; // the open box, or none
inline int AboutDpi = 96;                   // the density the box lays itself out for

// An icon resource at size x size pixels; the name is matched without regard to case.
QPixmap LoadIconResource(const QString& name, int size);
// The project's README among the installed documents, beside the program or up to four folders
// above it (the source tree of a build folder); empty when there is none.
QString ReadmePath();
// How Label2 opens a document (the desktop's handler; tests replace it).
inline std::function<void(const QUrl&)> OpenDocument;

class TAboutForm final : public QWidget {
  public:
    explicit TAboutForm(QWidget* owner);
    ~TAboutForm() override; // FormDestroy

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPixmap AppIcon, MakerIcon;
    int IconLeft() const;

    void Label2Click();

  protected:
    void paintEvent(QPaintEvent* event) override;      // FormPaint
    void mousePressEvent(QMouseEvent* event) override; // FormMouseDown
    void mouseMoveEvent(QMouseEvent* event) override;  // the drag where the system has none
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override; // deactivated: closes itself
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    void ScaleBy(int m, int d);
    bool WasActive = false;
    bool Dragging = false;
    QPoint DragOffset;
};

} // namespace verrask::app
