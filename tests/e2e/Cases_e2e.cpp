// End-to-end cases written as data: each file in cases/ holds cases that set up files, run the
// program and say what it must print, return and leave behind. One case is one test; a line
// that is no comment must belong to a case. Files named *_posix.cases or *_windows.cases are
// read on that system only.
//
// # a comment
// let NAME = TAPE
//     A tape the file's cases can name as $NAME (TAPE as Tape() reads it; see TapeText.h).
// shell NAME = TEXT
//     POSIX shell text for $(NAME) below; it runs first and ends in ";" or in a command that
//     runs the program ("exec setpriv ..."). Text that writes a file "skip" skips the case.
// case Title words
//     Starts a case; the title, in camel case, becomes the test's name.
// PATH = TAPE
//     Writes the file, making its directories; "many/{0..299}.aws" stands for 300 files.
// PATH == TAPE
//     The file exists and holds these bytes ("same": what was last written to it).
// $ ARGS -> N [unordered]
//     Runs the program with ARGS; it must return N and print the "> " lines that follow on
//     standard output and the "2> " lines on standard error, and nothing else ("unordered":
//     the lines in any order; a line ending in \c has no newline). Leading "--..." ARGS choose
//     the program with fault-injecting system calls (see SeamMain.cpp).
// $(NAME) ARGS -> N
//     The same, after the shell text NAME.
// BEFORE | ARGS | OUT | N | AFTER
//     A row: t.tape holds the tape BEFORE; "$ ARGS t.tape -> N" prints "OUT <path of t.tape>"
//     ("-": nothing) and the "> " lines after the row, and leaves the tape AFTER in t.tape
//     ("same": BEFORE).
// hold PATH [write|lockf|flock]
//     Another program holds the file open (for writing, or with that lock) until "release".
// attr PATH S|H|R
//     Gives the file a Windows attribute; the case is skipped where the system does not keep it.
// chmod PATH MODE, fifo PATH, link PATH -> TARGET, socket PATH
//     POSIX only.
// In "> " and "2> " lines, {PATH} is the file's full path, {E32} the text of error 32 and
// {usage} the usage text; \r \n \xHH \\ are escapes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "platform/ExitStatus.h"
#include "support/FormatLastError.h"
#include "tests/support/E2eTest.h"
#include "tests/support/OtherProgram.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
struct CCase {
  std::string strName, strFile;
  std::map<std::string, std::string> named;        // the file's "let" tapes and "shell" texts
  std::vector<std::pair<int, std::string>> lines;  // with their line numbers
};
void PrintTo(const CCase& c, std::ostream* pOut) { *pOut << c.strFile; }

// The parts of strText between the separators, without their blanks; with " ", no empty ones.
std::vector<std::string> Split(const std::string& strText, const std::string& strSep = " ") {
  std::vector<std::string> parts;
  for (std::size_t nStart = 0, nEnd = 0; nEnd != std::string::npos; nStart = nEnd + strSep.size()) {
    nEnd = strText.find(strSep, nStart);
    const std::string str = strText.substr(nStart, nEnd - nStart);
    const std::size_t nFirst = str.find_first_not_of(' ');
    if (nFirst != std::string::npos || strSep != " ") {
      parts.push_back(
          nFirst == std::string::npos ? "" : str.substr(nFirst, str.find_last_not_of(' ') + 1 - nFirst));
    }
  }
  return parts;
}

std::vector<CCase> LoadCases() {
  const std::string strOtherSystem = NativeSeparator() == '/' ? "_windows.cases" : "_posix.cases";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(BRENDIX_CASES)) {
    const std::string strName = entry.path().filename().string();
    if (entry.path().extension() == ".cases" && strName.find(strOtherSystem) == std::string::npos) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<CCase> cases;
  for (const auto& path : files) {
    std::map<std::string, std::string> named;
    std::ifstream in(path);
    const std::size_t nFirstCase = cases.size();
    int nLine = 0;
    for (std::string str; std::getline(in, str);) {
      ++nLine;
      str.erase(0, str.find_first_not_of(' '));
      if (str.empty() || str[0] == '#') continue;
      const std::size_t nName = str.find(' ') + 1, nIs = str.find(" = ");
      if (str.rfind("let ", 0) == 0 || str.rfind("shell ", 0) == 0) {
        const std::string strText = str.substr(nIs + 3);
        named[str.substr(nName, nIs - nName)] = str[0] == 'l' ? Tape(strText, named) : strText;
      } else if (str.rfind("case ", 0) == 0) {
        cases.push_back({path.stem().string() + "_", path.filename().string(), named, {}});
        for (const auto& strWord : Split(str.substr(5))) {  // the title in camel case
          for (std::size_t n = 0; n < strWord.size(); ++n) {
            const auto ch = static_cast<unsigned char>(strWord[n]);
            if (std::isalnum(ch)) cases.back().strName += static_cast<char>(n == 0 ? std::toupper(ch) : ch);
          }
        }
      } else if (cases.size() > nFirstCase) {
        cases.back().lines.emplace_back(nLine, str);
      } else {
        throw std::invalid_argument(path.string() + ":" + std::to_string(nLine) + ": a step outside a case");
      }
    }
  }
  return cases;
}

// "many/{0..2}.aws" stands for many/0.aws, many/1.aws and many/2.aws.
std::vector<std::string> Paths(const std::string& strPattern) {
  const std::size_t nOpen = strPattern.find('{'), nClose = strPattern.find('}');
  if (nOpen == std::string::npos) return {strPattern};
  std::vector<std::string> paths;
  const std::vector<std::string> range = Split(strPattern.substr(nOpen + 1, nClose - nOpen - 1), "..");
  for (int n = std::stoi(range.at(0)); n <= std::stoi(range.at(1)); ++n) {
    paths.push_back(strPattern.substr(0, nOpen) + std::to_string(n) + strPattern.substr(nClose + 1));
  }
  return paths;
}

class CCaseTest : public CE2eTest, public ::testing::WithParamInterface<CCase> {
 protected:
  std::string Expand(const std::string& strText) const {
    std::string str;
    std::size_t nPos = 0;
    for (std::size_t nOpen, nClose; (nOpen = strText.find('{', nPos)) != std::string::npos;
         nPos = nClose + 1) {
      nClose = strText.find('}', nOpen);
      str += Unescape(strText.substr(nPos, nOpen - nPos));
      const std::string strKey = strText.substr(nOpen + 1, nClose - nOpen - 1);
      if (strKey == "usage") {
        str += ReadFileBytes(std::string(BRENDIX_CASES) + "/usage.txt");
      } else if (strKey[0] == 'E' && std::isdigit(static_cast<unsigned char>(strKey[1]))) {
        str += FormatLastError(static_cast<DWORD>(std::stoul(strKey.substr(1)))).GetString();
      } else {
        str += m_dir / strKey;
      }
    }
    return str + Unescape(strText.substr(nPos));
  }

  // Runs the program and compares what it did with strResult ("N [unordered]") and the ">" and
  // "2>" lines after line i, which it passes.
  void RunAndExpect(const std::string& strMode, std::vector<std::string> args, const std::string& strResult,
                    std::string strOut, std::size_t& i) {
    const auto& lines = GetParam().lines;
    std::string strErr;
    for (; i + 1 < lines.size() && (lines[i + 1].second[0] == '>' || lines[i + 1].second.rfind("2>", 0) == 0);
         ++i) {
      const std::string& strLine = lines[i + 1].second;
      std::string strText = strLine.substr(std::min(strLine.size(), strLine.find('>') + 2));
      const bool bNoNewline = strText.size() >= 2 && strText.compare(strText.size() - 2, 2, "\\c") == 0;
      if (bNoNewline) strText.resize(strText.size() - 2);
      (strLine[0] == '>' ? strOut : strErr) += Expand(strText) + (bNoNewline ? "" : "\n");
    }
    const std::string strShell = strMode.empty() ? "" : GetParam().named.at(strMode);
#if defined(__SANITIZE_ADDRESS__)
    if (strShell.find("ulimit -v") != std::string::npos)
      GTEST_SKIP() << "the sanitizers need more address space";
#endif
    args.insert(args.begin(), !args.empty() && args[0].rfind("--", 0) == 0 ? SeamToolPath() : ToolPath());
    const CToolResult result = RunTool(args, m_dir.Path(), strShell);
    if (fs::remove(m_dir / "skip")) GTEST_SKIP() << "the system cannot run the program so";
    const std::vector<std::string> expected = Split(strResult);
    std::size_t nDigits = 0;
    EXPECT_EQ(result.nStatus, ToProcessExitStatus(std::stoi(expected.at(0), &nDigits)));
    ASSERT_TRUE(nDigits == expected[0].size() && (expected.size() == 1 || expected[1] == "unordered"))
        << strResult;
    if (expected.size() > 1) {
      EXPECT_EQ(SortedLines(result.strOut), SortedLines(strOut));
    } else {
      EXPECT_EQ(result.strOut, strOut);
    }
    EXPECT_EQ(result.strErr, strErr);
  }

  void Step(std::size_t& i) {
    const std::string& strLine = GetParam().lines[i].second;
    const std::vector<std::string> row = Split(strLine, " | ");
    const std::vector<std::string> words = Split(strLine);
    const std::string strArg = words.size() > 1 ? words[1] : "";
    if (row.size() == 5) {
      Put("t.tape", m_written["t.tape"] = Tape(row[0], GetParam().named));
      std::vector<std::string> args = Split(row[1]);
      args.push_back("t.tape");
      RunAndExpect("", args, row[3], row[2] == "-" ? "" : row[2] + " " + (m_dir / "t.tape") + "\n", i);
      ASSERT_TRUE(fs::is_regular_file(m_dir / "t.tape"));
      EXPECT_EQ(Bytes("t.tape"), row[4] == "same" ? m_written["t.tape"] : Tape(row[4], GetParam().named));
    } else if (strLine[0] == '$') {
      const std::size_t nArrow = strLine.find(" -> ");
      const std::size_t nModeEnd = strLine[1] == '(' ? strLine.find(')') : 0;
      RunAndExpect(nModeEnd > 0 ? strLine.substr(2, nModeEnd - 2) : "",
                   Split(strLine.substr(nModeEnd + 1, nArrow - nModeEnd - 1)), strLine.substr(nArrow + 4), "",
                   i);
    } else if (strArg == "=" || strArg == "==") {
      const std::string strTape = strLine.substr(strLine.find(strArg + " ") + strArg.size() + 1);
      for (const auto& strPath : Paths(words[0])) {
        const std::string strBytes =
            strTape == "same" ? m_written.at(strPath) : Tape(strTape, GetParam().named);
        if (strArg == "==") {
          ASSERT_TRUE(fs::is_regular_file(m_dir / strPath)) << strPath;
          ASSERT_EQ(Bytes(strPath), strBytes) << strPath;
        } else {
          Put(strPath, m_written[strPath] = strBytes);
        }
      }
    } else if (words[0] == "hold") {
      m_held.push_back(HoldFile(m_dir / strArg, words.size() > 2 ? words[2] : ""));
      ASSERT_NE(m_held.back(), nullptr) << strArg;
    } else if (words[0] == "release") {
      m_held.clear();
    } else if (words[0] == "attr") {
      if (!AddAttribute(m_dir / strArg, words.at(2)[0])) GTEST_SKIP() << "the attribute is not honoured";
    } else {
      Special(words, m_dir / strArg);
    }
  }

  // What only POSIX systems have: rights, FIFOs, symbolic links and sockets.
  void Special(const std::vector<std::string>& words, [[maybe_unused]] const std::string& strPath) {
    ASSERT_TRUE(NativeSeparator() == '/' &&
                std::string(" chmod fifo link socket ").find(" " + words[0] + " ") != std::string::npos)
        << "unknown line: " << words[0];
#ifndef _WIN32
    const std::string& strHow = words.back();
    if (words[0] == "chmod") {
      ASSERT_EQ(::chmod(strPath.c_str(), static_cast<mode_t>(std::stoul(strHow, nullptr, 8))), 0);
    } else if (words[0] == "fifo") {
      ASSERT_EQ(::mkfifo(strPath.c_str(), 0600), 0);
    } else if (words[0] == "link") {
      ASSERT_EQ(::symlink(strHow.c_str(), strPath.c_str()), 0);
    } else {  // a socket, whose file stays when it is closed
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      std::snprintf(address.sun_path, sizeof address.sun_path, "%s", strPath.c_str());
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
      ::close(fd);
    }
#endif
  }

  std::map<std::string, std::string> m_written;  // what each path was last given
  std::vector<std::shared_ptr<void>> m_held;     // files another program holds open
};
}  // namespace

TEST_P(CCaseTest, DoesWhatTheCaseSays) {
  const CCase& c = GetParam();
  for (std::size_t i = 0; i < c.lines.size() && !IsSkipped() && !HasFatalFailure(); ++i) {
    SCOPED_TRACE(c.strFile + ":" + std::to_string(c.lines[i].first));
    Step(i);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CCaseTest, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<CCase>& param) { return param.param.strName; });
