// Runs the snapshot tool as a separate process, the way scripts and people
// run it, and collects its exit status and output.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;

  // The last line of standard output, without its newline.
  std::string LastLine() const {
    std::string text = out;
    while (!text.empty() && text.back() == '\n') {
      text.pop_back();
    }
    const std::size_t newline = text.rfind('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
  }
};

// A fresh directory under the system's temporary one.
inline std::string MakeTempDir() {
  char pattern[] = "/tmp/tvl-render-test-XXXXXX";
  const char *dir = mkdtemp(pattern);
  return dir ? dir : "";
}

inline std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::string Quote(const std::string &arg) {
  std::string quoted = "'";
  for (char c : arg) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// Runs the tool with these arguments in workDir (empty: the current one).
inline ToolRun RunTool(const std::vector<std::string> &args,
                       const std::string &workDir = "",
                       const std::string &tool = TVL_SHOT_TOOL) {
  const std::string scratch = MakeTempDir();
  std::string command;
  if (!workDir.empty()) {
    command += "cd " + Quote(workDir) + " && ";
  }
  command += Quote(tool);
  for (const std::string &arg : args) {
    command += " " + Quote(arg);
  }
  command += " >" + scratch + "/out 2>" + scratch + "/err";
  ToolRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(scratch + "/out");
  run.err = ReadFile(scratch + "/err");
  std::system(("rm -rf " + Quote(scratch)).c_str());
  return run;
}
