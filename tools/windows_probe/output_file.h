// One of the probe's output files; "-" is standard output. Each record is written whole and
// flushed, so that a run cut off still leaves whole records.
#pragma once

#include <cstdio>
#include <string>

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() {
    if (file_ != nullptr && file_ != stdout) {
      std::fclose(file_);
    }
  }

  // No name means no file: nothing is written.
  bool open(const std::string& name) {
    if (name.empty()) {
      return true;
    }
    file_ = name == "-" ? stdout : std::fopen(name.c_str(), "wb");
    return file_ != nullptr;
  }
  bool wanted() const { return file_ != nullptr; }
  void write(const std::string& line) {
    if (file_ != nullptr) {
      std::fwrite(line.data(), 1, line.size(), file_);
      std::fputc('\n', file_);
      std::fflush(file_);
    }
  }

 private:
  FILE* file_ = nullptr;
};
