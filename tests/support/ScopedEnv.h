#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace qzc::test {

/// Sets an environment variable (or removes it, for std::nullopt) for one test and puts the
/// old state back afterwards. The environment is process-wide: use it only on the test's
/// own thread.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<QByteArray>& value)
        : name_(name), hadValue_(qEnvironmentVariableIsSet(name)), oldValue_(qgetenv(name)) {
        set(value);
    }
    ~ScopedEnv() { set(hadValue_ ? std::optional<QByteArray>(oldValue_) : std::nullopt); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const std::optional<QByteArray>& value) {
        if (value)
            qputenv(name_, *value);
        else
            qunsetenv(name_);
    }

    const char* name_;
    bool hadValue_;
    QByteArray oldValue_;
};

} // namespace qzc::test
