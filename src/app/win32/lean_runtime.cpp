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
