#include "platform/shell/parent_launcher.h"

#include <spawn.h>

extern char** environ;

namespace corvena::shell {

std::vector<std::string> screenArguments(const signon::SignOnContext& context,
                                         const std::vector<std::string>& parameters) {
  auto args = context.toArguments();
  args.insert(args.end(), parameters.begin(), parameters.end());
  return args;
}

long launchScreen(const std::string& programPath, const signon::SignOnContext& context,
                  const std::vector<std::string>& parameters) {
  std::vector<std::string> words{programPath};
  for (auto& arg : screenArguments(context, parameters)) words.push_back(std::move(arg));
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, programPath.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    return -1;
  return pid;
}

}  // namespace corvena::shell
