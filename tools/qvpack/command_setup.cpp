// qvpack setup: a setup executable from the stub, a setup folder and a product.
#include <cstdio>

#include "arguments.h"
#include "builder/package_folder_source.h"
#include "builder/package_writer.h"
#include "commands.h"
#include "package/package_reader.h"
#include "progress_meter.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "terminal.h"
#include "program_path.h"
#include "setup_lint.h"
#include "shipped_programs.h"

namespace qvpack {
namespace {

const char* const kHelp =
    "usage: qvpack setup [--stub <stub.exe>] --setup <folder> --product <folder>\n"
    "                    -o <setup.exe> [--split] [--level N]\n"
    "                    [--uninstaller <file> | --no-uninstaller] [--mtime <time>]\n"
    "                    [--strict | --no-check]\n"
    "\n"
    "Builds a setup executable: a copy of the stub with the setup package appended.\n"
    "The setup package holds the whole tree of the setup folder (setup.ini, language\n"
    "files, pictures, texts, task programs) and the product package setup.pck, built\n"
    "from the product folder and stored raw inside it. The product package also gets\n"
    "the uninstaller as uninstall.exe, with the time of its file, unless the product\n"
    "folder holds an uninstall.exe of its own at its top (that one is kept).\n"
    "\n"
    "  --stub <file>      the setup stub to copy (it must carry no package yet); without\n"
    "                     it, the one installed with qvpack (../share/quarvel-setup/\n"
    "                     beside its bin/), else the one of its build tree\n"
    "  --setup <folder>   the setup folder; it must not hold a setup.pck of its own\n"
    "  --product <folder> the product's files, installed into the install folder\n"
    "  -o <setup.exe>     the setup executable to write (replaced when it exists)\n"
    "  --split            write the product package beside the executable instead,\n"
    "                     named like it with \".pkj\" for \".exe\" (the output name must\n"
    "                     end with \".exe\"); setup.ini must then set Split=1 in the\n"
    "                     group [Settings]\n"
    "  --level N          0 stores everything raw, 1 (fastest) to 9 (smallest); default 6\n"
    "  --uninstaller <file>\n"
    "                     the uninstaller program to add; without it qvpack takes\n"
    "                     quarvel-uninstall.exe from the stub's folder, else from\n"
    "                     ../uninstaller/ beside it (the build tree's layout)\n"
    "  --no-uninstaller   add no uninstaller\n"
    "  --strict           warnings stop the build as errors do\n"
    "  --no-check         builds without the check below (for setups that test the\n"
    "                     installer's own handling of mistakes)\n"
    "  --mtime <time>     gives every entry of both packages this time instead of its\n"
    "                     file's: seconds since 1970 or 2020-01-01T00:00:00Z (UTC);\n"
    "                     SOURCE_DATE_EPOCH does the same. The same stub and folders\n"
    "                     then give the same bytes, whatever the files' times\n"
    "\n"
    "Entry names are Windows-1252: a file or folder in either folder whose name has\n"
    "characters outside it is refused before anything is written.\n"
    "\n"
    "Before writing, setup.ini and its language files are read as the stub reads them\n"
    "and checked, with file and line: unknown groups and keys (with the nearest known\n"
    "name), files they name that the folders lack, task lines of no kind or too few\n"
    "fields, --split against Split=1, a DefaultDir that is a shared folder. Errors (a\n"
    "broken installer) stop the build with exit code 1; warnings are shown.\n";

// The stub looks for a split product package under its own path with every ".exe"
// replaced by ".pkj"; only the file name is rewritten here, so the folder may hold
// ".exe" without the two parting ways when the files are moved together.
bool splitPackagePath(const std::string& output, std::string& product) {
  size_t nameStart = output.find_last_of("\\/");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  if (output.size() < nameStart + 5 || output.compare(output.size() - 4, 4, ".exe") != 0) return false;
  product = output;
  for (size_t at = product.find(".exe", nameStart); at != std::string::npos; at = product.find(".exe", at + 4))
    product.replace(at, 4, ".pkj");
  return true;
}

bool copyStub(const std::string& stub, const std::string& output, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!qv::readWholeFile(stub, bytes) || bytes.empty()) {
    error = shownPath(stub) + ": the stub cannot be read";
    return false;
  }
  if (!qv::writeWholeFile(output, bytes.data(), bytes.size())) {
    error = shownPath(output) + ": cannot be written";
    return false;
  }
  return true;
}

// The product folder's tree, then the uninstaller (when one is given) at the top.
// The writers' settings: the level, and the fixed time when one is given.
struct WriterSettings {
  int level = 0;
  bool timeFixed = false;
  qv::FileTime fixedTime;
  void applyTo(qv::PackageWriter& writer) const {
    writer.setLevel(level);
    if (timeFixed) writer.setFixedTime(fixedTime);
  }
};

bool buildProduct(const std::string& folder, const std::string& uninstaller, const std::string& path,
                  const WriterSettings& settings, ProgressMeter& meter, std::string& error) {
  qv::PackageWriter writer;
  settings.applyTo(writer);
  bool ok = writer.create(path) &&
            qv::addFolderTree(writer, folder, "",
                              [&](const std::string& name, int64_t size) { meter.advance(size, name); });
  if (ok && !uninstaller.empty()) {
    meter.advance(qv::fileSize(uninstaller), kUninstallerEntryName);
    ok = writer.addFileFrom(kUninstallerEntryName, uninstaller);
  }
  ok = ok && writer.finish();
  if (!ok) {
    writer.abandon();
    error = shownPath(writer.error());
  }
  return ok;
}

}  // namespace

int runSetup(const Arguments& args) {
  ParsedArguments a;
  if (!a.parse("setup", args,
               {{"--stub", true}, {"--setup", true}, {"--product", true}, {"-o", true}, {"--split", false},
                {"--level", true}, {"--uninstaller", true}, {"--no-uninstaller", false}, {"--mtime", true},
                {"--strict", false}, {"--no-check", false}}))
    return kExitUsage;
  if (a.wantsHelp()) {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  WriterSettings writing;
  if (!a.level(writing.level) || !a.fixedTime(writing.timeFixed, writing.fixedTime)) return kExitUsage;
  for (const char* required : {"--setup", "--product", "-o"})
    if (!a.has(required)) return usageError("setup", std::string("missing ") + required + " (see qvpack setup --help)");
  if (!a.positional().empty())
    return usageError("setup", "unexpected argument " + convertAnsiForConsole(a.positional()[0]));
  if (a.has("--uninstaller") && a.has("--no-uninstaller"))
    return usageError("setup", "--uninstaller and --no-uninstaller exclude each other");
  std::string stub = a.has("--stub") ? a.value("--stub") : findStubForProgram(ownProgramPath());
  if (stub.empty())
    return usageError("setup", std::string("no ") + kStubProgramName +
                                   " installed with qvpack nor in its build tree: give it with --stub <file>");
  std::string setup = a.value("--setup"), product = a.value("--product");
  std::string output = a.value("-o");
  bool split = a.has("--split");
  std::string productPath = output + ".product.tmp";
  if (split && !splitPackagePath(output, productPath))
    return usageError("setup", "with --split the output name must end with \".exe\": " + shownPath(output));

  if (!qv::folderExists(setup)) return failure(shownPath(setup) + ": no such folder");
  if (!qv::folderExists(product)) return failure(shownPath(product) + ": no such folder");
  // A stub that is not there would otherwise first be told as a missing uninstaller.
  if (!qv::fileExists(stub)) return failure(shownPath(stub) + ": the stub cannot be read");
  std::string uninstaller;
  if (!a.has("--no-uninstaller") && !productHasOwnUninstaller(product)) {
    if (a.has("--uninstaller")) {
      uninstaller = a.value("--uninstaller");
      if (!qv::fileExists(uninstaller)) return failure(shownPath(uninstaller) + ": no such file (--uninstaller)");
    } else {
      uninstaller = findUninstallerBesideStub(stub);
      if (uninstaller.empty())
        return usageError("setup", std::string("no ") + kUninstallerProgramName + " beside the stub nor in " +
                                       shownPath(qv::folderPartOf(stub) + "..\\uninstaller\\") +
                                       ": give it with --uninstaller <file>, or build without one with "
                                       "--no-uninstaller");
    }
  }
  if (qv::fileExists(qv::withTrailingBackslash(setup) + "setup.pck"))
    return failure(shownPath(setup) + ": holds a setup.pck, which the product package would replace");
  qv::Package carried;
  if (qv::openPackage(carried, stub))
    return failure(shownPath(stub) + ": already carries a package; give the bare stub");

  qv::FolderTreeSurvey setupSurvey = qv::surveyFolderTree(setup);
  if (!setupSurvey.unconvertedHostName.empty()) return failure(describeUnconvertedName(setupSurvey));
  qv::FolderTreeSurvey productSurvey = qv::surveyFolderTree(product);
  if (!productSurvey.unconvertedHostName.empty()) return failure(describeUnconvertedName(productSurvey));
  // The setup read as the stub will read it, before anything is written.
  bool refused = false;
  const std::vector<LintFinding> findings =
      a.has("--no-check") ? std::vector<LintFinding>() : lintSetup(setup, product, split);
  for (const LintFinding& finding : findings) {
    std::fprintf(stderr, "%s\n", convertAnsiForConsole(formatLintFinding(finding)).c_str());
    refused = refused || finding.error || a.has("--strict");
  }
  if (refused) return failure("the setup was not built: mend what is listed above");

  std::string error;
  const int64_t uninstallerBytes = uninstaller.empty() ? 0 : qv::fileSize(uninstaller);
  ProgressMeter meter("building", setupSurvey.bytes + productSurvey.bytes + uninstallerBytes);
  bool ok = copyStub(stub, output, error) && buildProduct(product, uninstaller, productPath, writing, meter, error);
  qv::PackageWriter writer;
  writing.applyTo(writer);
  if (ok) {
    ok = writer.appendTo(output) &&
         qv::addFolderTree(writer, setup, "",
                           [&](const std::string& name, int64_t size) { meter.advance(size, name); }) &&
         (split || writer.addFileFrom("setup.pck", productPath, true)) && writer.finish();
    if (!ok) {
      writer.abandon();
      error = shownPath(writer.error());
    }
  }
  meter.finish();
  if (!split || !ok) qv::removeFile(productPath);
  if (!ok) {
    qv::removeFile(output);
    return failure(error);
  }
  return kExitOk;
}

}  // namespace qvpack
