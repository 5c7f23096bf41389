// A private device for one test: temporary root, documents and storage folders, the mount
// table pointed at them, and helpers to read and write host files there.
#pragma once
#include <string>

class TempDevice {
 public:
  TempDevice();
  ~TempDevice();
  TempDevice(const TempDevice&) = delete;
  TempDevice& operator=(const TempDevice&) = delete;

  // Host folders behind "\", "\My Documents" and "\Storage Card".
  const std::string& RootHost() const { return root; }
  const std::string& DocumentsHost() const { return docs; }
  const std::string& StorageHost() const { return storage; }

  // Host path of a name in the documents folder, and its device path.
  std::string DocHost(const std::string& name) const { return docs + "/" + name; }
  std::u16string DocDevice(const std::string& name) const;

  static void WriteHostFile(const std::string& hostPath, const std::string& bytes);
  static std::string ReadHostFile(const std::string& hostPath);
  static bool HostExists(const std::string& hostPath);
  // Names in a host folder, sorted.
  static std::string ListHost(const std::string& hostFolder);

 private:
  std::string base, root, docs, storage;
};
