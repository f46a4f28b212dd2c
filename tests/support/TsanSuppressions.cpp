// Races ThreadSanitizer reports inside Qt itself, which is not built for it: a QThread
// object deleted after its thread has finished destroys a wait condition that the
// finishing thread signalled under a QMutex, a lock ThreadSanitizer cannot see.
// Compiled into the test programs only in the ThreadSanitizer build.

extern "C" const char* __tsan_default_suppressions()
{
    return "race:QWaitCondition::~QWaitCondition\n";
}
