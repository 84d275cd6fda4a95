// The C++ library's out-of-line error paths, as this program needs them.
//
// The library keeps every std::__throw_* helper in one object; taking it in for
// the one the program really uses (a failed allocation) brings along the
// reference-counted string its logic_error family is built on, the snprintf
// that formats their messages and a random device, and the default terminate
// handler brings a C++ name demangler. Together about 120 KB of dwl.exe.
// Defined here, in the executable, these take the references before the
// library is searched. The program catches every exception alike (catch-all
// firewalls that trace what() when there is one), so a small exception with
// the library's message does for the logic errors. Code that comes to use
// another helper (std::stoi's __throw_invalid_argument, say) makes the linker
// take the library's object after all and report these as defined twice: add
// that helper here.
#include <cstdlib>
#include <exception>
#include <new>

#include <windows.h>

namespace {

class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* what) noexcept : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_logic_error(const char* what) { throw LibraryError(what); }
void __throw_length_error(const char* what) { throw LibraryError(what); }
void __throw_invalid_argument(const char* what) { throw LibraryError(what); }
void __throw_out_of_range(const char* what) { throw LibraryError(what); }
// The format's arguments (an index and a size) are left out of the message.
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }

}  // namespace std

namespace __gnu_cxx {

// Ends the program without printing the exception's demangled type to a
// console that a windows program does not have.
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

// The thread layer as the C++ runtime uses it: guards of function-local
// statics, the exception allocator's lock, the unwinder's registry of frames
// and thread-local exception state. The library's versions come from the POSIX
// thread layer, which brings all of itself (about 120 KB) into a program that
// makes no thread of its own. These keep the same contracts on the Win32
// primitives: an interlocked word for locks and one-time calls (waiters yield
// until it is free), a TLS slot for keys. Threads the system makes to call the
// program back still get correct, if not fair, locking.
namespace {

using Word = volatile LONG*;
template <typename T>
Word WordOf(T* p) { return reinterpret_cast<Word>(p); }
constexpr LONG kFree = 0, kDone = 1, kBusy = 0x100;  // kDone is the guard's first byte

// Runs `make` once across threads; false when another thread made it first.
bool TakeOnce(Word w) {
    for (;;) {
        const LONG was = InterlockedCompareExchange(w, kBusy, kFree);
        if (was == kFree) return true;
        if (was == kDone) return false;
        Sleep(1);
    }
}

}  // namespace

extern "C" {

int __cxa_guard_acquire(long long* guard) { return TakeOnce(WordOf(guard)) ? 1 : 0; }
void __cxa_guard_release(long long* guard) { InterlockedExchange(WordOf(guard), kDone); }
void __cxa_guard_abort(long long* guard) { InterlockedExchange(WordOf(guard), kFree); }

int pthread_once(long* once, void (*make)()) {
    if (TakeOnce(WordOf(once))) {
        make();
        InterlockedExchange(WordOf(once), kDone);
    }
    return 0;
}

// A mutex is one word: free as statically made (-1) or after init (0), 1 held.
int pthread_mutex_init(intptr_t* m, const void*) { *m = 0; return 0; }
int pthread_mutex_destroy(intptr_t*) { return 0; }
int pthread_mutex_lock(intptr_t* m) {
    while (InterlockedCompareExchange(WordOf(m), 1, 0) != 0 && InterlockedCompareExchange(WordOf(m), 1, -1) != -1)
        Sleep(0);
    return 0;
}
int pthread_mutex_unlock(intptr_t* m) { InterlockedExchange(WordOf(m), 0); return 0; }

// Thread-local exception state. Its destructor would free a thread's copy at
// the thread's end; the program's one thread ends with the process.
int pthread_key_create(unsigned* key, void (*)(void*)) {
    const DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) return 11;  // EAGAIN
    *key = slot;
    return 0;
}
// TlsGetValue clears the last error; the caller's is kept.
void* pthread_getspecific(unsigned key) {
    const DWORD error = GetLastError();
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}
int pthread_setspecific(unsigned key, const void* value) { return TlsSetValue(key, const_cast<void*>(value)) ? 0 : 12; }

}  // extern "C"
