#pragma once
// Exception classes of the program. Messages are UTF-8; the toolkit's default error box shows
// what() of whatever escapes an event handler.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Raised by the data layer: a file that cannot be opened, a statement the engine rejects,
// a post that fails. The message names the file or the statement.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// Raised by the bitmap decoder for bytes that are not a Windows bitmap file.
class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception("Bitmap image is not valid") {}
};

// Raised by the standard integer conversion of a typed entry.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
