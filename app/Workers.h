// The two workers of a run: TThread1 solves and refines the stream function, TThread2 the head
// loss. Each is created per run, started once, and frees itself when it has finished.
//
// Assumes: the form (the completion's receiver) lives on the main thread and is not destroyed
// while a worker lives: its destructor waits for them, and the program ends without destroying
// it when a run is dropped. Holds: the only thing that crosses the
// thread boundary is the completion, a call of the form's WorkerDone on the main thread that
// the worker waits for (a blocking queued call); the worker touches nothing of the window.
#pragma once

#include "sheetpile/ModelState.h"

#include <QThread>

namespace verrask::app {

class TWorker : public QThread {
  public:
    TWorker(sheetpile::TModel& model, QObject* form) : Model(model), Form(form) {
        connect(this, &QThread::finished, this, &QObject::deleteLater);
    }

  protected:
    void run() override;
    virtual void Execute() = 0;
    sheetpile::TModel& Model;

  private:
    QObject* Form;
};

class TThread1 final : public TWorker {
  public:
    using TWorker::TWorker;

  protected:
    void Execute() override { sheetpile::TThread1Execute(Model); }
};

class TThread2 final : public TWorker {
  public:
    using TWorker::TWorker;

  protected:
    void Execute() override { sheetpile::TThread2Execute(Model); }
};

} // namespace verrask::app
