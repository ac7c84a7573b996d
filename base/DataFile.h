#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One file, opened lazily in the mode of its first operation: reading shares the file with
// other readers, writing creates or truncates it and shares it with nobody. Switching mode
// closes and reopens. Failures return false and keep the system's error code.
class DataFile {
public:
    explicit DataFile(std::wstring name = L"filename.txt") : name_(std::move(name)) {}
    ~DataFile() { Close(); }
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    const std::wstring& Name() const { return name_; }
    std::uint32_t LastError() const { return lastError_; }

    // The size in bytes (low 32 bits); 0 when the file cannot be opened.
    std::uint32_t Size();
    // Reads up to count bytes; stops early at the end of the file. Returns the count read.
    bool Read(void* buffer, size_t count, size_t& read);
    bool ReadAll(std::vector<std::uint8_t>& bytes);
    bool Write(const void* data, size_t count);
    // Pushes written data through to the disk.
    bool Flush();
    // Closes the file, moves it to the path (replacing what is there) and takes that name.
    bool RenameTo(const std::wstring& path);
    void Close();

private:
    bool OpenForReading();
    bool OpenForWriting();
    // Keeps the file when it is open in the mode asked for; otherwise opens it again in that mode.
    bool OpenInMode(bool forReading);
    void RememberError();

    // The system calls, one file of them a platform. Each makes one call and, when it fails,
    // leaves the system's error for RememberError.
    // The open handle, or kNoHandle.
    std::intptr_t OpenNative(bool forReading);
    bool NativeSize(std::uint64_t& size);
    // got is 0 at the end of the file.
    bool ReadSome(unsigned char* bytes, size_t count, size_t& got);
    bool WriteSome(const unsigned char* bytes, size_t count, size_t& put);
    bool SyncToDisk();

    std::wstring name_;
    std::intptr_t handle_ = kNoHandle;
    std::uint32_t lastError_ = 0;
    bool forReading_ = false;

    static constexpr std::intptr_t kNoHandle = -1;
};

bool FileExists(const std::wstring& path);
// Whether a file (not a folder) of that name is there, readable or not: a file another program
// holds open is present even when FileExists cannot open it.
bool FileIsPresent(const std::wstring& path);
// A file whose read-only attribute is set (the program refuses to overwrite it).
bool IsReadOnlyFile(const std::wstring& path);
// Writes a whole file without ever leaving it half written: the content goes to a temporary
// file beside it, is flushed to the disk and then replaces the file in one step. On any
// failure the file stays as it was, the temporary file is removed and the result is false.
bool WriteFileReplacing(const std::wstring& path, const std::function<bool(DataFile& file)>& write);
// Moves a fully written file over another in one step, flushed through to the disk; waits a
// little while another program (a virus scanner, an indexer) holds the target open.
bool ReplaceWithFile(const std::wstring& from, const std::wstring& to);
// Clears the read-only attribute, then deletes.
bool DeleteFileForce(const std::wstring& path);
// Copies a file over another; the copy is never read-only.
bool CopyFileReplacing(const std::wstring& from, const std::wstring& to);
// Moves a file over another; a change of letter case only goes through a temporary name.
bool MoveFileReplacing(const std::wstring& from, const std::wstring& to);
// Creates every missing folder of the path; true when the folder exists afterwards. With
// everyone set, new folders grant every access to all users.
bool CreateFolderPath(const std::wstring& path, bool everyone);

// The calls a save makes on the file system: opening a file for writing, writing, flushing,
// moving (or replacing) and deleting. Any means every kind.
enum class FileCall { Any, Create, Write, Flush, Move, Delete };

// Failures made on purpose, so tests can show that nothing is lost when the disk fills up or a
// file is locked. Every call above is counted from 1 (in all and by kind); the chosen call, or
// every call from it on, fails as a full disk would: false, with ERROR_DISK_FULL as the
// system's error. Never set by the program itself.
class InjectedFileFaults {
public:
    // Counts from 0 again and fails nothing.
    void Reset();
    // Counting starts again; only the call of that number fails (counted among the calls of
    // the kind, or among all calls for Any).
    void FailOnce(long number, FileCall kind = FileCall::Any);
    // Counting starts again; the call of that number and every one after it fail.
    void FailFrom(long number, FileCall kind = FileCall::Any);
    long Calls(FileCall kind = FileCall::Any) const { return calls_[Index(kind)]; }
    long Failures(FileCall kind = FileCall::Any) const { return failures_[Index(kind)]; }

    // For the file primitives: counts one call; true when it is to fail.
    bool Fails(FileCall call);

private:
    static size_t Index(FileCall kind) { return static_cast<size_t>(kind); }
    void Fail(long number, FileCall kind, bool onward);

    static constexpr size_t kKinds = 6;
    std::array<std::atomic<long>, kKinds> calls_{};
    std::array<std::atomic<long>, kKinds> failures_{};
    std::atomic<long> failAt_{0};  // 0: nothing fails
    std::atomic<FileCall> failKind_{FileCall::Any};
    std::atomic<bool> onward_{false};
};
InjectedFileFaults& FileFaultsForTesting();

// For the file primitives: counts the call and, when it is to fail, leaves the injected error
// as the system's error code (GetLastError, errno) and returns true.
bool InjectedFailure(FileCall call);
// Sets the system's error code of the calling thread; one definition a platform.
void SetSystemError(std::uint32_t code);
