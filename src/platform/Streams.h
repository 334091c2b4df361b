// Streams: byte streams over memory, strings and files, with the read/write
// helpers that raise on short transfers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Classes.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// TFileStream modes: one open mode or-ed with one share mode, or fmCreate.
inline constexpr uint16_t fmCreate = 0xFFFF;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareCompat = 0x0000;
inline constexpr uint16_t fmShareExclusive = 0x0010;
inline constexpr uint16_t fmShareDenyWrite = 0x0020;
inline constexpr uint16_t fmShareDenyRead = 0x0030;
inline constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
public:
  // Transfer up to count bytes; return how many moved.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Returns the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  virtual int64_t GetPosition() const;
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  virtual int64_t GetSize() const;
  virtual void SetSize(int64_t newSize);

  // Exactly count bytes or EReadError "Stream read error" / EWriteError
  // "Stream write error".
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source's position; count 0 copies all of source
  // from its start. Returns the number copied.
  int64_t CopyFrom(TStream& source, int64_t count);
  // Everything from the position to the end, in one read.
  std::string ReadRemaining();
};

// A growable block of memory.
class TMemoryStream : public TStream {
public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetPosition() const override { return FPosition; }
  int64_t GetSize() const override { return FSize; }
  void SetSize(int64_t newSize) override;

  void* GetMemory() { return FData.data(); }
  const void* GetMemory() const { return FData.data(); }
  void Clear();
  void LoadFromStream(TStream& stream);  // replaces the content with all of stream
  void LoadFromFile(const std::string& fileName);
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

private:
  std::vector<char> FData;  // FData.size() is the capacity; FSize bytes are valid
  int64_t FSize = 0;
  int64_t FPosition = 0;
};

// A stream over a std::string.
class TStringStream : public TStream {
public:
  explicit TStringStream(std::string data = std::string()) : FDataString(std::move(data)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetPosition() const override { return FPosition; }
  int64_t GetSize() const override { return static_cast<int64_t>(FDataString.size()); }
  void SetSize(int64_t newSize) override;

  const std::string& GetDataString() const { return FDataString; }
  std::string ReadString(int64_t count);
  void WriteString(const std::string& s) { Write(s.data(), static_cast<int64_t>(s.size())); }

private:
  std::string FDataString;
  int64_t FPosition = 0;
};

// A stream over an open file handle (the handle's owner closes it).
class THandleStream : public TStream {
public:
  explicit THandleStream(TFileHandle handle) : FHandle(handle) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;
  TFileHandle GetHandle() const { return FHandle; }

protected:
  TFileHandle FHandle;
};

// A named file. fmCreate creates or truncates it (EFCreateError "Cannot
// create file %s"); other modes open it (EFOpenError "Cannot open file %s").
class TFileStream : public THandleStream {
public:
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  const std::string& GetFileName() const { return FFileName; }

private:
  std::string FFileName;
};
