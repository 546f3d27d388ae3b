#pragma once
// Starts bench/startup_probe once and reads what it reports: the time from just before the
// process was started to its window painted, and its resident memory then. The probes run in a
// throw-away Wine prefix whose texture folder holds a few skins, so the main window's lists
// show a typical start-up folder, and on the platform asked for ("offscreen" or "xcb").

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/startup_folder.h"

extern char** environ;

namespace probe {

// Lays out a Wine prefix in `prefix` whose texture folder holds a few empty skins, for the
// window's lists to show as in a typical start-up folder.
inline void layOutSkinPrefix(const QDir& prefix) {
    const QString textures = prefix.filePath(QStringLiteral("drive_c/") +
                                             QString::fromStdString(::platform::kTextureFolder.string()));
    QDir().mkpath(textures);
    for (const char* skin : {"b001fafit.bmp", "b069fafit.bmp", "skin.bmp", "SKIN2.BMP"}) {
        QFile file(QDir(textures).filePath(QString::fromLatin1(skin)));
        file.open(QIODevice::WriteOnly);
    }
}

struct Run {
    double seconds = 0;
    long residentKiB = 0;
    bool ok = false;
};

// CLOCK_MONOTONIC in nanoseconds: the probe reads it once painted, its parent just before
// starting it, and the same clock in both processes makes the two readings comparable.
inline long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// The platform the probes start on: QUILTANE_PROBE_PLATFORM, "offscreen" unless set.
inline const char* platform() {
    const char* named = std::getenv("QUILTANE_PROBE_PLATFORM");
    return named ? named : "offscreen";
}

// The probes' environment: this process's, with the platform and the Wine prefix set.
class Environment {
  public:
    explicit Environment(const std::string& platform) {
        layOutSkinPrefix(QDir(m_prefix.path()));
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string text = *entry;
            if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("WINEPREFIX=", 0) != 0)
                m_entries.push_back(text);
        }
        m_entries.push_back("QT_QPA_PLATFORM=" + platform);
        m_entries.push_back("WINEPREFIX=" + m_prefix.path().toStdString());
        for (std::string& text : m_entries)
            m_pointers.push_back(text.data());
        m_pointers.push_back(nullptr);
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    char** entries() { return m_pointers.data(); }

  private:
    QTemporaryDir m_prefix;
    std::vector<std::string> m_entries;
    std::vector<char*> m_pointers;
};

// kind is "bare", "caption" or "main"; the probe's error output is dropped.
inline Run launch(const std::string& probePath, const char* kind, Environment& environment) {
    Run run;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string path = probePath, kindText = kind;
    char* argv[] = {path.data(), kindText.data(), nullptr};

    const long long started = monotonicNanoseconds();
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environment.entries()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    FILE* out = fdopen(pipeEnds[0], "r");
    if (out == nullptr) {
        close(pipeEnds[0]);
        if (spawned) waitpid(pid, nullptr, 0);
        return run;
    }
    long long painted = 0;
    const bool read = spawned && std::fscanf(out, "%lld %ld", &painted, &run.residentKiB) == 2;
    std::fclose(out);
    int status = 0;
    const bool exited =
        spawned && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.ok = read && exited;
    run.seconds = double(painted - started) / 1e9;
    return run;
}

} // namespace probe
