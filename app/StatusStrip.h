// StatusBar1: seven text panels side by side with fixed widths, laid out by hand so that each
// panel has exactly the width it is given (a panel past the right edge is cut off).
#pragma once

#include "control/WindowDesign.h"

#include <QFrame>
#include <QLabel>

#include <array>

namespace verrask::app {

class TStatusStrip final : public QFrame {
  public:
    explicit TStatusStrip(QWidget* parent) : QFrame(parent) {
        for (QLabel*& panel : Panels) {
            panel = new QLabel(this);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            panel->setTextFormat(Qt::PlainText);
        }
        Relayout();
    }
    QLabel* Panel(int index) const { return Panels.at(static_cast<std::size_t>(index)); }
    int PanelWidth(int index) const { return Widths.at(static_cast<std::size_t>(index)); }
    void SetPanelWidth(int index, int width) {
        Widths.at(static_cast<std::size_t>(index)) = width;
        Relayout();
    }
    void Relayout() {
        int x = 0;
        for (std::size_t i = 0; i < Panels.size(); ++i) {
            Panels[i]->setGeometry(x, 2, Widths[i] - 2, height() - 3);
            x += Widths[i];
        }
    }

  protected:
    void resizeEvent(QResizeEvent*) override { Relayout(); }

  private:
    std::array<QLabel*, 7> Panels{};
    std::array<int, 7> Widths = design::DesignPanelWidths; // replaced at creation
};

} // namespace verrask::app
