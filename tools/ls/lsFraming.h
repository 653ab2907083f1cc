// The framing of the Language Server Protocol's messages on a byte stream:
// a header of "Name: value" lines, each ended by CR LF, an empty line, then
// exactly Content-Length bytes of JSON. The reader is strict: a header it
// does not understand is an error that ends the conversation, since nothing
// after it can be found reliably.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The largest message body taken; a document is sent whole in one message.
inline constexpr std::size_t kMostMessageBytes = std::size_t{1} << 29;

// Cuts whole messages off the bytes fed to it, in order.
class messageReader {
public:
    enum class status { message, needMore, bad };

    void feed(std::string_view bytes);
    // The next whole message's body, taken out of what was fed; needMore
    // when the rest is not a whole message yet; bad (with problem() saying
    // why) when it can never become one. After bad, nothing more is read.
    status next(std::string& body);
    const std::string& problem() const { return why; }
    // Whether bytes of an unfinished message wait.
    bool partial() const { return start < buffer.size(); }

private:
    status fail(std::string text);

    std::string buffer;
    std::size_t start = 0;  // what is before it has been taken
    std::string why;
    bool failed = false;
};

// The bytes that carry one message body: its header and the body.
std::string framed(std::string_view body);

// The body with every escape of a lone UTF-16 surrogate in its strings
// ("\ud800" with no low half after it, or a low half alone), which JSON
// cannot carry as text, written as U+FFFD ("\ufffd"), as editors read such a
// text; nothing else changes. Empty when the body holds none.
std::string loneSurrogatesReplaced(std::string_view body);
