#pragma once
// The occurrences of the active scenarios ahead; only named here until the
// agenda itself comes.
namespace dwl {

class Agenda;
struct Occurrence;

}  // namespace dwl
