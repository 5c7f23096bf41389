// The archive's exceptions: the only exceptions of the program, caught where a file is read
// or written as a whole.
#pragma once
#include <exception>

class CException : public std::exception {};

class CArchiveException : public CException {
 public:
  enum Cause {
    none,
    genericException,  // the file could not be read
    endOfFile,         // the file ends (or would end) inside what is being read
    badIndex,          // a reference to a class or object that cannot be one
    badClass,          // an unknown class name, or an object of a class not asked for
    badSchema,         // a stored schema the class does not read
  };
  explicit CArchiveException(Cause cause) : m_cause(cause) {}
  const char* what() const noexcept override;

  Cause m_cause;
};
