// Races ThreadSanitizer reports inside Qt itself, which is not built for it, so it sees
// Qt's allocations but not the QMutex and wait-condition hand-overs that order them:
// - a QThread object deleted after its thread has finished destroys a wait condition
//   that the finishing thread signalled;
// - the queued "finished" event that a finishing thread posts is freed by the thread
//   that deletes the thread object.
// Compiled into every test program of the thread-sanitizer build only.

extern "C" const char* __tsan_default_suppressions()
{
    return "race:QWaitCondition::~QWaitCondition\n"
           "called_from_lib:libQt6Core.so.6\n";
}
