#pragma once
// Status and Result: how core and stamps report a failure. The message is written for the
// user ("No source skin is loaded..."), so callers can show it as it is.

#include <string>
#include <utility>
#include <variant>

namespace core {

class Status {
  public:
    static Status ok() { return Status(); }
    static Status error(std::string message) { return Status(std::move(message)); }
    // A failure for want of memory: it ends one action, which the program survives. The
    // window reports it even where it passes over other failures silently.
    static Status outOfMemory(std::string message) {
        Status status(std::move(message));
        status.m_outOfMemory = true;
        return status;
    }

    bool isOk() const { return m_ok; }
    bool isOutOfMemory() const { return m_outOfMemory; }
    explicit operator bool() const { return m_ok; }
    const std::string& message() const { return m_message; }

  private:
    Status() = default;
    explicit Status(std::string message) : m_ok(false), m_message(std::move(message)) {}

    bool m_ok = true;
    bool m_outOfMemory = false;
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
