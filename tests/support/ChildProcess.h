#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "framework/TestHooks.h"

// Work run in a child process: what only a process of its own may do to itself (drop its
// privileges, refuse itself system calls). Checks made in the child are reported as the
// test's; the child ends with _exit, so nothing of the parent runs twice.

// The child's exit status: 0 when the work passed every check, -1 when it did not exit. An
// alarm ends work that still runs after the seconds given, as work that waits for ever would.
inline int RunInChild(const std::function<void()>& work, unsigned seconds = 120) {
  // The child has none of the parent's threads: work that it handed Qt's painting threads
  // would wait for ever.
  fw::TestHooks::EndPaintingThreads();
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    alarm(seconds);
    work();
    std::fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

namespace child_process_detail {

// The machine's architecture as system call filters name it; 0 where they are not written for it.
#if defined(__x86_64__)
inline constexpr std::uint32_t kArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
inline constexpr std::uint32_t kArchitecture = AUDIT_ARCH_AARCH64;
#else
inline constexpr std::uint32_t kArchitecture = 0;
#endif

// Lets the owner remove the folder and everything in it, whatever the work protected.
inline void MakeRemovable(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
  if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, error))) return;
  for (const auto& entry : std::filesystem::directory_iterator(path, error)) MakeRemovable(entry.path());
}

}  // namespace child_process_detail

// Root becomes the user, with the group and the supplementary groups; false where it could not.
inline bool BecomeUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups = {}) {
  return setgroups(groups.size(), groups.data()) == 0 && setgid(gid) == 0 && setuid(uid) == 0;
}

// Runs the work as a user whom permissions bind: root becomes nobody (65534), anyone else
// stays who they are. The work gets a new folder of its own in /tmp, which every user may
// enter (the build folder may not be); it is removed afterwards. Nothing is started from
// the build folder after the privileges are gone.
inline int RunUnprivileged(const std::function<void(const std::filesystem::path& folder)>& work) {
  return RunInChild([&work] {
    if (geteuid() == 0 && !BecomeUser(65534, 65534)) {
      ADD_FAILURE() << "could not become nobody";
      return;
    }
    ASSERT_NE(geteuid(), 0u);
    char folder[] = "/tmp/gradix-unprivileged-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    work(folder);
    child_process_detail::MakeRemovable(folder);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  });
}

// Makes every later call of the system call fail with the error, in this process only; with
// flags, only the calls whose argument flagsArg holds all of those bits. False where the
// filter cannot be installed.
inline bool FailSystemCall(int number, int error, int flagsArg = -1, std::uint32_t flags = 0) {
  constexpr std::uint32_t arch = child_process_detail::kArchitecture;
  if (arch == 0) return false;
  constexpr std::uint32_t allow = SECCOMP_RET_ALLOW;
  const std::uint32_t fail = SECCOMP_RET_ERRNO | (static_cast<std::uint32_t>(error) & SECCOMP_RET_DATA);
  // The low half of a 64-bit argument, on a little-endian machine.
  const std::uint32_t argOffset =
      static_cast<std::uint32_t>(offsetof(seccomp_data, args) + sizeof(std::uint64_t) * (flagsArg < 0 ? 0 : flagsArg));
  sock_filter program[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 0, 6),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(number), 0, 4),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, argOffset),
      BPF_STMT(BPF_ALU | BPF_AND | BPF_K, flags),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, flags, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, fail),
      BPF_STMT(BPF_RET | BPF_K, allow),
  };
  sock_fprog filter{static_cast<unsigned short>(sizeof program / sizeof program[0]), program};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// Hands every later call of the system calls numbers, in this process, to decide, which runs on
// a thread of its own and answers 0 to let the call run, or an error number to fail it with.
// It sees the call's arguments, and reads what a pointer argument points to directly: the
// thread shares the process's memory. It cannot be undone, so it belongs in a child process.
// False where the kernel cannot hand calls over.
inline bool InterceptSystemCalls(const std::vector<int>& numbers, std::function<int(const seccomp_data&)> decide) {
  constexpr std::uint32_t arch = child_process_detail::kArchitecture;
  if (arch == 0) return false;
  std::vector<sock_filter> program = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
  };
  for (const int number : numbers) {
    program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(number), 0, 1));
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF));
  }
  program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
  // The thread that decides exists before the filter, which therefore does not hold it.
  std::promise<int> listener;
  std::thread([fd = listener.get_future(), decide = std::move(decide)]() mutable {
    const int notifications = fd.get();
    if (notifications < 0) return;
    for (;;) {
      seccomp_notif call{};
      if (ioctl(notifications, SECCOMP_IOCTL_NOTIF_RECV, &call) != 0) {
        if (errno == EINTR || errno == ENOENT) continue;
        return;
      }
      seccomp_notif_resp answer{};
      answer.id = call.id;
      const int error = decide(call.data);
      if (error == 0) answer.flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
      else answer.error = -error;
      ioctl(notifications, SECCOMP_IOCTL_NOTIF_SEND, &answer);
    }
  }).detach();
  const auto install = [&filter] {
    return static_cast<int>(syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_NEW_LISTENER, &filter));
  };
  const int fd = prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 ? install() : -1;
  listener.set_value(fd);
  return fd >= 0;
}
