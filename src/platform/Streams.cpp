// TStream and its memory, string, handle and file streams.
#include "platform/Streams.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------
// TStream
// ---------------------------------------------------------------------------
int64_t TStream::GetPosition() const { return const_cast<TStream*>(this)->Seek(0, soCurrent); }

int64_t TStream::GetSize() const {
  auto* self = const_cast<TStream*>(this);
  int64_t pos = self->Seek(0, soCurrent);
  int64_t size = self->Seek(0, soEnd);
  self->Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(int64_t newSize) {}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.GetSize();
  }
  const int64_t kBufSize = 0xF000;
  std::vector<char> buffer(static_cast<size_t>(std::min(count, kBufSize)));
  int64_t left = count;
  while (left > 0) {
    int64_t n = std::min(left, kBufSize);
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return count;
}

std::string TStream::ReadRemaining() {
  int64_t pos = GetPosition();
  int64_t size = GetSize();
  std::string data;
  if (size > pos) {
    data.resize(static_cast<size_t>(size - pos));
    int64_t n = Read(data.data(), static_cast<int64_t>(data.size()));
    data.resize(static_cast<size_t>(n > 0 ? n : 0));
  }
  // A stream that could not tell its size (or grew meanwhile): read on.
  char chunk[16384];
  for (;;) {
    int64_t n = Read(chunk, sizeof chunk);
    if (n <= 0) break;
    data.append(chunk, static_cast<size_t>(n));
  }
  return data;
}

// ---------------------------------------------------------------------------
// TMemoryStream
// ---------------------------------------------------------------------------
int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  // A position before the start (a seek can set one) reads nothing, as a
  // position past the end does.
  if (count <= 0 || FPosition < 0 || FPosition >= FSize) return 0;
  int64_t n = std::min(count, FSize - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0 || FPosition < 0) return 0;
  int64_t end = FPosition + count;
  if (end > FSize) {
    if (end > static_cast<int64_t>(FData.size())) {
      // Grow geometrically so a run of small writes stays linear.
      size_t capacity = std::max<size_t>(static_cast<size_t>(end), FData.size() + FData.size() / 2);
      FData.resize(capacity);
    }
    if (FPosition > FSize)  // a gap left by seeking past the end reads as zeros
      std::memset(FData.data() + FSize, 0, static_cast<size_t>(FPosition - FSize));
    FSize = end;
  }
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = FSize + offset; break;
  }
  return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize) {
  if (newSize < 0) newSize = 0;
  if (newSize > static_cast<int64_t>(FData.size())) FData.resize(static_cast<size_t>(newSize));
  if (newSize > FSize) std::memset(FData.data() + FSize, 0, static_cast<size_t>(newSize - FSize));
  FSize = newSize;
  if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  FSize = 0;
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  int64_t count = stream.GetSize();
  SetSize(count);
  if (count != 0) stream.ReadBuffer(FData.data(), count);
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  if (FSize != 0) stream.WriteBuffer(FData.data(), FSize);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

// ---------------------------------------------------------------------------
// TStringStream
// ---------------------------------------------------------------------------
int64_t TStringStream::Read(void* buffer, int64_t count) {
  int64_t size = GetSize();
  if (count <= 0 || FPosition >= size) return 0;
  int64_t n = std::min(count, size - FPosition);
  std::memcpy(buffer, FDataString.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TStringStream::Write(const void* buffer, int64_t count) {
  if (count <= 0 || FPosition < 0) return 0;
  size_t end = static_cast<size_t>(FPosition + count);
  if (end > FDataString.size()) FDataString.resize(end, '\0');
  std::memcpy(FDataString.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition += count;
  return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = GetSize() + offset; break;
  }
  // A string has no room beyond its end: keep the position inside it.
  FPosition = std::clamp<int64_t>(FPosition, 0, GetSize());
  return FPosition;
}

void TStringStream::SetSize(int64_t newSize) {
  FDataString.resize(static_cast<size_t>(std::max<int64_t>(newSize, 0)), '\0');
  if (FPosition > GetSize()) FPosition = GetSize();
}

std::string TStringStream::ReadString(int64_t count) {
  int64_t n = std::min(count, GetSize() - FPosition);
  if (n <= 0) return std::string();
  std::string r = FDataString.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n));
  FPosition += n;
  return r;
}

// ---------------------------------------------------------------------------
// THandleStream and TFileStream
// ---------------------------------------------------------------------------
int64_t THandleStream::Read(void* buffer, int64_t count) {
  int64_t n = FileRead(FHandle, buffer, count);
  return n < 0 ? 0 : n;
}

int64_t THandleStream::Write(const void* buffer, int64_t count) {
  int64_t n = FileWrite(FHandle, buffer, count);
  return n < 0 ? 0 : n;
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  return FileSeek(FHandle, offset, static_cast<int>(origin));
}

void THandleStream::SetSize(int64_t newSize) {
  Seek(newSize, soBeginning);
  if (!FileTruncate(FHandle, newSize)) throw EStreamError("Stream write error");
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode)
    : THandleStream(InvalidFileHandle), FFileName(fileName) {
  if (mode == fmCreate) {
    FHandle = FileCreate(fileName);
    if (FHandle == InvalidFileHandle) throw EFCreateError("Cannot create file " + fileName);
  } else {
    FHandle = FileOpen(fileName, mode);
    if (FHandle == InvalidFileHandle) throw EFOpenError("Cannot open file " + fileName);
  }
}

TFileStream::~TFileStream() { FileClose(FHandle); }
