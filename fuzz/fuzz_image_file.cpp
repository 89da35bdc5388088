// Image files: arbitrary bytes through the decoder and the disk loader, then
// back through the encoder and the saver.
//
// Properties: a file of at least 128 bytes gives the 64 words HI byte first,
// the model byte (0-8, anything else "none") and the comment; encoding that
// and decoding again gives the same words, model and comment; and since every
// byte of code page 1251 reads as a character of its own, a file whose model
// byte the program writes the same way comes back byte for byte.

#include "FuzzCheck.h"
#include "image/ImageFile.h"

#include <QDir>
#include <QString>

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The comment box holds at most this many characters.
constexpr int kCommentLimit = 32767;

// The loader reads a path; a memory file gives it one without disk traffic.
const QString &MemoryFilePath()
{
    static const QString path = [] {
        const int fd = ::memfd_create("fuzz-image", 0);
        FUZZ_CHECK(fd >= 0);
        return QStringLiteral("/proc/self/fd/%1").arg(fd);
    }();
    return path;
}

void PutMemoryFile(const QByteArray &bytes)
{
    const int fd = MemoryFilePath().section(u'/', -1).toInt();
    FUZZ_CHECK(::ftruncate(fd, 0) == 0);
    FUZZ_CHECK(::pwrite(fd, bytes.constData(), static_cast<size_t>(bytes.size()), 0) == bytes.size());
}

// The saver replaces files by rename, so it needs a real folder; it goes
// when the run ends.
struct SaveFolder {
    QString dir;
    SaveFolder()
    {
        const QString base = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        dir = base + QStringLiteral("/quillon-fuzz-%1").arg(::getpid());
        FUZZ_CHECK(QDir().mkpath(dir));
    }
    ~SaveFolder() { QDir(dir).removeRecursively(); }
};

QString SavePath()
{
    static const SaveFolder folder;
    return folder.dir + QStringLiteral("/image.h");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<ImageFileData> d = DecodeImageFile(bytes);
    if (size < kImageBytes) {
        FUZZ_CHECK(!d);
        PutMemoryFile(bytes);
        FUZZ_CHECK(LoadImageFile(MemoryFilePath(), kCommentLimit).error.kind == IoError::ReadBeyondEnd);
        return 0;
    }
    FUZZ_CHECK(d);
    for (int a = 0; a < EepromImage::kWords; ++a)
        FUZZ_CHECK(d->image[a] == (data[2 * a] << 8 | data[2 * a + 1]));
    if (size == kImageBytes) {
        FUZZ_CHECK(!d->model && d->comment.isEmpty());
    } else {
        FUZZ_CHECK(d->model && *d->model == (data[kImageBytes] < kModelCount ? data[kImageBytes] : -1));
        FUZZ_CHECK(d->comment.size() == static_cast<qsizetype>(size - kImageBytes - 1));
    }

    // Encoder round trip.
    const QByteArray encoded = EncodeImageFile(d->image, d->model.value_or(-1), d->comment);
    const std::optional<ImageFileData> again = DecodeImageFile(encoded);
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->image == d->image);
    FUZZ_CHECK(again->model == d->model.value_or(-1));
    FUZZ_CHECK(again->comment == d->comment);
    const bool canonicalModel = size > kImageBytes && (data[kImageBytes] < kModelCount || data[kImageBytes] == kNoModelByte);
    if (canonicalModel && Cp1251Available())
        FUZZ_CHECK(encoded == bytes);

    // The loader gives what the decoder gives.
    PutMemoryFile(bytes);
    const LoadResult loaded = LoadImageFile(MemoryFilePath(), kCommentLimit);
    FUZZ_CHECK(!loaded.error);
    FUZZ_CHECK(loaded.data.image == d->image);
    FUZZ_CHECK(loaded.data.model == d->model);
    FUZZ_CHECK(loaded.data.comment == d->comment.left(kCommentLimit));

    // Saved and loaded again, from disk.
    FUZZ_CHECK(!SaveImageFile(SavePath(), encoded));
    const LoadResult reloaded = LoadImageFile(SavePath(), kCommentLimit);
    FUZZ_CHECK(!reloaded.error);
    FUZZ_CHECK(reloaded.data.image == d->image);
    FUZZ_CHECK(reloaded.data.model == d->model.value_or(-1));
    FUZZ_CHECK(reloaded.data.comment == d->comment.left(kCommentLimit));
    return 0;
}
