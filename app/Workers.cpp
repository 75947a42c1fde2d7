// The worker body and its completion, delivered on the main thread while the worker waits.
#include "app/Workers.h"

#include <QMetaObject>

namespace verrask::app {

void TWorker::run() {
    Execute();
    // Runs the form's WorkerDone between the main thread's events and returns when it has
    // finished. After the event loop has ended this never returns: the process ends instead.
    QMetaObject::invokeMethod(Form, "WorkerDone", Qt::BlockingQueuedConnection);
}

} // namespace verrask::app
