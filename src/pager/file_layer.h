#pragma once
// The few file operations a safe write needs, behind one interface so that
// tests can make any of them fail. Paths are the bytes the system gave us
// (command-line arguments as they came, dialog results through
// QFile::encodeName): nothing here decodes or re-encodes a name, so a name
// that is not valid text still reaches the very file it names.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rer {

class FileLayer {
 public:
  virtual ~FileLayer() = default;

  // Creates a new, empty temporary file beside `target` and opens it for
  // writing; its name is returned. nullopt on failure (see reason()).
  virtual std::optional<std::string> CreateTemporary(const std::string& target) = 0;
  // Writes the bytes to the open temporary file; false on any failure,
  // a short write included.
  virtual bool Write(const char* data, std::size_t size) = 0;
  // Flushes the open file to the disk and closes it; false when either fails.
  virtual bool FlushAndClose() = 0;
  // Closes the open file without caring for its contents (after a failure).
  virtual void Abandon() = 0;
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // Replaces `target` by `temporary` in one step.
  virtual bool Replace(const std::string& temporary, const std::string& target) = 0;
  virtual void Remove(const std::string& path) = 0;

  // The system's own words for the last failure ("No space left on device").
  const std::string& reason() const { return reason_; }

 protected:
  void SetReason(std::string reason) { reason_ = std::move(reason); }

 private:
  std::string reason_;
};

// The machine's file system.
FileLayer& SystemFileLayer();

// How much a safe write hands to the layer at a time.
inline constexpr std::size_t kSafeWriteChunk = 4096;

// Writes `text` to `path` so that a failure at any step leaves the file that
// was there untouched: the text goes into a temporary file beside it, chunk
// by chunk with every write checked, is flushed to the disk, read back and
// compared, and passed to `accept` (when given) before it replaces the old
// file. On failure the temporary file is removed and `reason` (when given)
// says what went wrong.
bool WriteFileSafely(const std::string& path, std::string_view text, FileLayer& layer,
                     const std::function<bool(std::string_view)>& accept = {},
                     std::string* reason = nullptr);

}  // namespace rer
