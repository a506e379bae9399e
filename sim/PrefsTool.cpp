#include "PrefsTool.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <string_view>

#include "DefaultDevice.h"
#include "PlistJson.h"
#include "PrintableText.h"
#include "RegularFile.h"
#include "SettingsChecker.h"
#include "foundation/DeviceFileSystem.h"
#include "foundation/PropertyListSerialization.h"
#include "store/VLPreferencesManager.h"

using host::Plist;

namespace vorlan {

namespace {

const char* const kJsonActions[] = {"show", "hidden", "disabled", "moved", "tags", "folders"};

// Tag and folder keys in numeric order, as a user reads them; other keys after, as stored.
std::vector<std::pair<std::string, Plist>> numericOrder(const Plist& table) {
  std::vector<std::pair<std::string, Plist>> rows(table.entries().begin(), table.entries().end());
  auto number = [](const std::string& key) {
    return key.size() <= 9 && !key.empty() &&
                   key.find_first_not_of("0123456789") == std::string::npos
               ? std::stol(key)
               : std::numeric_limits<long>::max();
  };
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const auto& a, const auto& b) { return number(a.first) < number(b.first); });
  return rows;
}

// Writes the JSON and a newline. JSON too large to make leaves the stream failed, which the
// program reports as a failed write.
void writeJson(std::ostream& out, const Plist& value) {
  if (const auto json = PlistJson::render(value)) {
    out << *json << '\n';
  } else {
    out.setstate(std::ios::failbit);
  }
}

}  // namespace

void PrefsTool::addTo(CLI::App& app) {
  command_ = app.add_subcommand("prefs", "Look at or repair a device's settings file");
  // --device may come before the action or after it, as people type it.
  const auto addDevice = [this](CLI::App* command) {
    command->add_option("--device", device_, "The device root directory (required)")
        ->check(CLI::ExistingDirectory);
  };
  addDevice(command_);
  command_->require_subcommand(1);
  command_->callback([this] {
    if (device_.empty()) throw CLI::RequiredError("--device");
  });
  const auto action = [&](const std::string& name, const std::string& help) {
    CLI::App* sub = command_->add_subcommand(name, help);
    addDevice(sub);
    sub->callback([this, sub] { action_ = sub->get_name(); });
    return sub;
  };
  action("path", "Print the settings file's path on this machine");
  for (const char* name : kJsonActions) {
    const std::string help = std::string(name) == "show"
                                 ? "Print the settings file as stored"
                                 : std::string("Print the ") + name + " answers of the settings";
    action(name, help)->add_flag("--json", json_, "Print JSON");
  }
  action("check", "List wrong types and broken invariants; exit 1 if any");
  action("passcode", "Change the stored passcode")
      ->add_flag("--clear", clear_, "Remove the stored passcode")
      ->required();
  action("export", "Copy the settings file out")
      ->add_option("FILE", file_, "Destination file")
      ->required();
  action("import", "Replace the settings with a file")
      ->add_option("FILE", file_, "A property list with a dictionary root")
      ->required()
      ->check(CLI::ExistingFile);
}

bool PrefsTool::selected() const {
  return command_ != nullptr && command_->parsed();
}

int PrefsTool::run(std::ostream& out, std::ostream& err) {
  if (auto why = DefaultDevice::whyNotADevice(device_)) {
    err << "vorlan prefs: " << PrintableText::escape(*why) << '\n';
    return 1;
  }
  host::DeviceFileSystem::setCurrent(std::make_shared<host::DeviceFileSystem>(device_));
  if (action_ == "path") return path(out);
  if (action_ == "show") return show(out, err);
  if (action_ == "check") return check(out, err);
  if (action_ == "export") return exportTo(out, err);
  // The tool is a process of its own on the device: it reads the file afresh on every run.
  manager_ = std::make_shared<VLPreferencesManager>();
  auto& manager = manager_;
  if (action_ == "import") return importFrom(out, err);
  // The other actions answer as the manager does; a file it could not read has no answers,
  // and must not look like one without any.
  if (manager->settingsFileUnreadable()) return unreadable(err);
  if (action_ == "hidden") return listCells(manager->getHiddenIdentifiers(), out);
  if (action_ == "disabled") return listCells(manager->getDisabledIdentifiers(), out);
  if (action_ == "moved") return listCells(manager->getPositionIdentifiers(), out);
  if (action_ == "tags") return tables(true, out);
  if (action_ == "folders") return tables(false, out);
  if (action_ == "passcode") return clearPasscode(out, err);
  return 2;
}

int PrefsTool::unreadable(std::ostream& err) const {
  host::PropertyListSerialization::ReadResult parsed;
  std::string error;
  if (readSettingsFile(parsed, error) == FileState::Read) {
    error = parsed.value.isDictionary() ? "see the log above" : "its root is not a dictionary";
  }
  err << "vorlan prefs: the settings file cannot be read: " << PrintableText::escape(error)
      << "; nothing was changed\n";
  return 1;
}

PrefsTool::FileState PrefsTool::readSettingsFile(
    host::PropertyListSerialization::ReadResult& parsed, std::string& error,
    std::size_t* digest) const {
  auto device = host::DeviceFileSystem::current();
  if (!device->fileExists(VLPreferencesManager::kSettingsPath)) return FileState::Missing;
  auto contents = device->readRegularFile(VLPreferencesManager::kSettingsPath,
                                          host::PropertyListSerialization::kMaxInputBytes, &error);
  if (!contents) return FileState::Unreadable;
  if (digest) *digest = std::hash<std::string_view>()(*contents);
  parsed = host::PropertyListSerialization::readOwned(std::move(*contents));
  error = parsed.error;
  return parsed.ok() ? FileState::Read : FileState::Unreadable;
}

int PrefsTool::path(std::ostream& out) const {
  out << host::DeviceFileSystem::current()->hostPath(VLPreferencesManager::kSettingsPath)->string()
      << '\n';
  return 0;
}

int PrefsTool::show(std::ostream& out, std::ostream& err) const {
  // XML is printed as stored. Its text is parsed in place and freed, so it is read again to be
  // printed, and printed only if it is the text that was checked; a file replaced in between is
  // checked afresh.
  constexpr int kAttempts = 3;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    host::PropertyListSerialization::ReadResult parsed;
    std::string error;
    std::size_t digest = 0;
    switch (readSettingsFile(parsed, error, &digest)) {
      case FileState::Missing:
        out << "{}\n";
        return 0;
      case FileState::Unreadable:
        err << "vorlan prefs: the settings file cannot be read: " << error << '\n';
        return 1;
      case FileState::Read:
        break;
    }
    if (json_) {
      const auto json = PlistJson::render(parsed.value, &error);
      if (!json) {
        err << "vorlan prefs: the settings file cannot be shown as JSON: " << error << '\n';
        return 1;
      }
      out << *json << '\n';
      return 0;
    }
    if (parsed.format == host::PropertyListSerialization::Format::Binary) {
      const auto xml = host::PropertyListSerialization::writeXml(parsed.value, &error);
      if (!xml) {
        err << "vorlan prefs: the settings file is stored in the binary format and cannot be "
               "shown as XML: "
            << PrintableText::escape(error) << " (try show --json)\n";
        return 1;
      }
      out << *xml;
      return 0;
    }
    parsed.value = Plist();
    const auto text = host::DeviceFileSystem::current()->readRegularFile(
        VLPreferencesManager::kSettingsPath, host::PropertyListSerialization::kMaxInputBytes,
        &error);
    if (text && std::hash<std::string_view>()(*text) == digest) {
      out << *text;
      return 0;
    }
  }
  err << "vorlan prefs: the settings file cannot be read: it changed while it was read\n";
  return 1;
}

int PrefsTool::listCells(const std::vector<std::string>& identifiers, std::ostream& out) const {
  std::vector<Plist> rows;
  for (const std::string& identifier : identifiers) {
    Plist row = Plist::dictionary({{"identifier", Plist::string(identifier)}});
    if (const std::string* name =
            manager_->getSpecifierInfoByID(identifier).get("name").asString()) {
      row = row.with("name", Plist::string(*name));
    }
    rows.push_back(row);
  }
  if (json_) {
    writeJson(out, Plist::array(rows));
    return 0;
  }
  for (const Plist& row : rows) {
    out << *row.get("identifier").asString();
    if (const std::string* name = row.get("name").asString()) out << '\t' << *name;
    out << '\n';
  }
  return 0;
}

int PrefsTool::tables(bool tags, std::ostream& out) const {
  // What the extension would answer, without writing the defaults a first request would store.
  const Plist table =
      tags ? manager_->tagsDictionaryAsAnswered() : manager_->foldersDictionaryAsAnswered();
  const std::vector<std::string> fields =
      tags ? std::vector<std::string>{"name", "fill_color", "border_color"}
           : std::vector<std::string>{"name", "image", "settings_image"};
  std::vector<Plist> rows;
  for (const auto& [key, record] : numericOrder(table)) {
    Plist row = Plist::dictionary({{"key", Plist::string(key)}});
    for (const std::string& field : fields)
      row = row.with(field, record.get(field));
    rows.push_back(row);
  }
  if (json_) {
    writeJson(out, Plist::array(rows));
    return 0;
  }
  for (const Plist& row : rows) {
    out << *row.get("key").asString();
    for (const std::string& field : fields) {
      const std::string* value = row.get(field).asString();
      out << '\t' << (value ? *value : "-");
    }
    out << '\n';
  }
  return 0;
}

int PrefsTool::check(std::ostream& out, std::ostream& err) const {
  host::PropertyListSerialization::ReadResult parsed;
  std::string error;
  switch (readSettingsFile(parsed, error)) {
    case FileState::Missing:
      out << "No settings file: nothing to check.\n";
      return 0;
    case FileState::Unreadable:
      err << "vorlan prefs: the settings file cannot be read: " << error << '\n';
      return 1;
    case FileState::Read:
      break;
  }
  auto problems = SettingsChecker::check(parsed.value);
  for (const std::string& problem : problems)
    out << problem << '\n';
  if (problems.empty()) out << "No problems found.\n";
  return problems.empty() ? 0 : 1;
}

int PrefsTool::clearPasscode(std::ostream& out, std::ostream& err) const {
  auto& manager = manager_;
  if (!manager->getPassword()) {
    out << "No passcode is stored.\n";
    return 0;
  }
  manager->clearPassword();
  if (manager->getPassword()) {
    err << "vorlan prefs: the passcode could not be removed (see the log above)\n";
    return 1;
  }
  out << "Passcode removed.\n";
  return 0;
}

int PrefsTool::exportTo(std::ostream& out, std::ostream& err) const {
  auto device = host::DeviceFileSystem::current();
  std::string error;
  // Only the settings file itself is copied: a link at its place is not followed, so the export
  // cannot copy out whatever file the link names.
  auto bytes = RegularFile::read(*device->hostPath(VLPreferencesManager::kSettingsPath),
                                 host::PropertyListSerialization::kMaxInputBytes, error,
                                 RegularFile::Links::Refuse);
  if (!bytes) {
    err << "vorlan prefs: nothing to export: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  // The copy holds the passcode: only its owner may read it.
  if (!RegularFile::writePrivate(file_, *bytes, error)) {
    err << "vorlan prefs: cannot write the export: " << PrintableText::escape(error) << '\n';
    return 1;
  }
  out << "Exported to " << file_ << '\n';
  return 0;
}

int PrefsTool::importFrom(std::ostream& out, std::ostream& err) const {
  std::string error;
  const auto contents =
      RegularFile::read(file_, host::PropertyListSerialization::kMaxInputBytes, error);
  if (!contents) {
    err << "vorlan prefs: cannot read " << PrintableText::escape(error) << '\n';
    return 1;
  }
  auto parsed = host::PropertyListSerialization::read(*contents);
  if (!parsed.ok() || !parsed.value.isDictionary()) {
    err << "vorlan prefs: " << PrintableText::escape(file_) << " is not a settings file: "
        << PrintableText::escape(parsed.ok() ? "its root is not a dictionary" : parsed.error)
        << '\n';
    return 1;
  }
  // The manager's own save: a settings file it could not read is kept aside, not overwritten.
  if (!manager_->replaceDictionary(parsed.value)) {
    err << "vorlan prefs: cannot write the settings file (see the log above)\n";
    return 1;
  }
  out << "Imported " << file_ << '\n';
  return 0;
}

}  // namespace vorlan
