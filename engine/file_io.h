#pragma once
// The two small binary file classes every stored file goes through: raw little-endian blocks
// of fields as held in memory, one block at a time. Each owns its stream.

#include <cstdint>
#include <cstdio>

class FileReader {
  public:
    explicit FileReader(const char* path);
    // Takes over a stream its caller opened (null: not open).
    explicit FileReader(FILE* adopted);
    virtual ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool isOpen() const { return opened; }
    // Binary and text streams are the same here.
    void setTextMode(bool text);
    // Reads up to n bytes into buffer; a block the file holds only in part changes only the
    // bytes read. Returns the number of bytes read (0 when not open or n <= 0).
    int32_t read(void* buffer, int32_t n);

  private:
    FILE* stream;
    bool opened;
};

class FileWriter {
  public:
    explicit FileWriter(const char* path);
    // Takes over a stream its caller opened (null: not open).
    explicit FileWriter(FILE* adopted);
    virtual ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    bool isOpen() const { return opened; }
    void setTextMode(bool text);
    // Writes n bytes; false when not open, n < 0, or the write failed.
    bool write(const void* buffer, int32_t n);
    // True while the file opened and every write so far succeeded.
    bool good() const { return opened && healthy; }
    // Closes the stream; true when the file opened, every write succeeded and the close did.
    bool close();

  private:
    FILE* stream;
    bool opened;
    bool healthy = true;
};
