// Shared helpers of the window's tests: a fresh model and Form1 per test, the panels' texts,
// typing into a box, a completed run of the defaults.
#pragma once

#include "app/MainUnit.h"
#include "control/WindowDesign.h"

#include <QObject>
#include <QTest>

#include <memory>

namespace verrask::app::test {

struct TWindow {
    std::unique_ptr<sheetpile::TModel> Model = std::make_unique<sheetpile::TModel>();
    std::unique_ptr<TForm1> Form;
    explicit TWindow(QScreen* screen = nullptr) : Form(std::make_unique<TForm1>(*Model, screen)) {}
    ~TWindow() { Form.reset(); } // waits for live workers before the model goes

    TForm1* operator->() const { return Form.get(); }
    QString Panel(int index) const { return Form->StatusBar1->Panel(index)->text(); }
    bool TuningEnabled() const {
        return Form->TrackBar1->isEnabled() && Form->TrackBar2->isEnabled() &&
               Form->CheckBox1->isEnabled() && Form->CheckBox2->isEnabled() &&
               Form->CheckBox3->isEnabled();
    }
    bool TuningDisabled() const {
        return !Form->TrackBar1->isEnabled() && !Form->TrackBar2->isEnabled() &&
               !Form->CheckBox1->isEnabled() && !Form->CheckBox2->isEnabled() &&
               !Form->CheckBox3->isEnabled();
    }
    // Replaces a box's text by typing, as the user does.
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // RUN and the wait for both completions.
    bool RunToResults(int timeoutMs = 60000) {
        QTest::mouseClick(Form->Button1, Qt::LeftButton);
        if (Form->Button1->isEnabled()) return false; // refused
        return QTest::qWaitFor([this] { return Form->Button1->isEnabled(); }, timeoutMs);
    }
};

class TMainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void openedState();
    void designLayoutAt96Dpi();
    void tabOrderMenuAndTooltip();
    void refusedInputs();
    void runningResultsAndProbe();
    void tickerCountsSeconds();
    void commaLocaleShowsCommasAndReadsPoints();
    void anchorsAndCentringOnResize();
    void closingDuringARunDropsIt();
    void programEndsPromptlyWhenClosedDuringARun();
};

class TScalingTest : public QObject {
    Q_OBJECT
  private slots:
    void changeTo144AndBack();
    void changeTo120AndBack();
    void sameDensityReappliesTheSizes();
    void twoScreensOfDifferentDensity();
    void screenDensityChangeRelaysTheWindow();
};

class TChecksWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void commandsWaitForARunAndWriteWhole();
    void inputsFileFillsTheBoxesAndTheSettings();
    void figuresFollowTheRunAndRefusedSettingsChangeNothing();
    void runCancelsTheSearchAndTheModelKeepsItsWall();
};

class TAboutBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void scrambledTextsHaveTheirShapes();
    void shapesAndIconsAt96();
    void iconsFollowTheWindowsDensity();
    void closesWhenDeactivatedAndReopensAfresh();
    void makersLabelOpensTheReadme();
    void rightButtonDoesNothing();
};

} // namespace verrask::app::test
