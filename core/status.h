#pragma once
// Status and Result: how core, stamps, platform and preview (reading a body mesh) report a
// failure to the window and to quiltane-cli, whose own steps pass it on the same way. The
// message is written for the user ("No source skin is loaded..."), so callers can show it as it
// is; the kind says what sort of failure it is, so that a front end can act on it
// (quiltane-cli's exit code, the window's message box for want of memory) without knowing which
// call failed.

#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace core {

class Status {
  public:
    enum class Kind {
        Ok,
        Usage,     // what was asked makes no sense: a bad option, nothing to undo
        Input,     // a file cannot be read, or is not what it should be
        Output,    // a file cannot be written
        Memory,    // not enough memory: it ends one action, which the program survives
        Operation, // an edit cannot be done: a stamp without its picture, a band out of range
    };

    static Status ok() { return Status(); }
    static Status error(std::string message) { return Status(Kind::Operation, std::move(message)); }
    static Status usage(std::string message) { return Status(Kind::Usage, std::move(message)); }
    static Status input(std::string message) { return Status(Kind::Input, std::move(message)); }
    static Status output(std::string message) { return Status(Kind::Output, std::move(message)); }
    static Status outOfMemory(std::string message) { return Status(Kind::Memory, std::move(message)); }

    bool isOk() const { return m_kind == Kind::Ok; }
    explicit operator bool() const { return isOk(); }
    Kind kind() const { return m_kind; }
    bool isOutOfMemory() const { return m_kind == Kind::Memory; }
    const std::string& message() const { return m_message; }

    // The same failure, its message following context and a colon: "Cannot save a.bmp: " and
    // the reason. An ok status stays ok.
    Status withContext(std::string_view context) const {
        if (isOk()) return *this;
        return Status(m_kind, std::string(context) + ": " + m_message);
    }

  private:
    Status() = default;
    Status(Kind kind, std::string message) : m_kind(kind), m_message(std::move(message)) {}

    Kind m_kind = Kind::Ok;
    std::string m_message;
};

// A value or the Status that explains why there is none.
template <typename T> class Result {
  public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Status failure) : m_state(std::move(failure)) {}

    bool isOk() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return isOk(); }

    const T& value() const& { return std::get<T>(m_state); }
    T& value() & { return std::get<T>(m_state); }
    T&& value() && { return std::get<T>(std::move(m_state)); }

    // The failure; an ok Status when there is a value.
    Status status() const { return isOk() ? Status::ok() : std::get<Status>(m_state); }
    const std::string& message() const {
        static const std::string none;
        return isOk() ? none : std::get<Status>(m_state).message();
    }

  private:
    std::variant<T, Status> m_state;
};

} // namespace core
