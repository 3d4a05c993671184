#include "disc/isoimage.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "files/safefile.h"

// The image comes out of libisofs as a burn_source, read here without libburn.
#define LIBISOFS_WITHOUT_LIBBURN 1
#include <libisofs.h>

namespace torvel {

namespace {

// The image moves in pieces small enough to stay in the processor's cache between the library's
// buffer and the file: pieces of 1 MiB made copying into the file cost three times as much.
constexpr qint64 kChunk = 128 * 1024;
// How often the image written so far is sent on to the disk, as xorriso does.
constexpr qint64 kFlushEvery = 16 * 1024 * 1024;
// Where the primary volume descriptor (sector 16) keeps the volume label: 32 characters.
constexpr qint64 kVolumeIdAt = 16 * 2048 + 40;
constexpr int kVolumeIdLength = 32;

// libisofs objects owned by C++: each released once through its library's own function.
template <auto Release>
struct Releaser {
    template <typename T>
    void operator()(T* object) const {
        Release(object);
    }
};

void releaseSource(burn_source* source) {
    // Stops the generating thread when the image was not read to its end; a no-op otherwise.
    source->cancel(source);
    if (--source->refcount < 1) {
        source->free_data(source);
        std::free(source);
    }
}

using Image = std::unique_ptr<IsoImage, Releaser<iso_image_unref>>;
using Options = std::unique_ptr<IsoWriteOpts, Releaser<iso_write_opts_free>>;
using Source = std::unique_ptr<burn_source, Releaser<releaseSource>>;

char* text(const char* literal) {
    return const_cast<char*>(literal);  // libisofs takes constant texts as char*
}

// Once per process: names in UTF-8, messages queued for the reports below, and a file that
// cannot be read stops the image instead of being written as zeros.
void initLibrary() {
    static const int ready = [] {
        const int result = iso_init_with_flag(1);
        iso_set_local_charset(text("UTF-8"), 0);
        iso_set_msgs_severities(text("SORRY"), text("NEVER"), text("torvel"));
        iso_set_abort_severity(text("SORRY"));
        return result;
    }();
    if (ready < 0) {
        throw TorvelError(QStringLiteral("The image library libisofs cannot be started: %1.")
                              .arg(QString::fromLocal8Bit(iso_error_to_msg(ready))));
    }
}

// What libisofs said about a failure: the first message it queued since the last call, or the
// words for its error code.
QString libraryReason(int code) {
    char message[ISO_MSGS_MESSAGE_LEN];
    char severity[80];
    int error = 0;
    int image = 0;
    QString reason;
    while (iso_obtain_msgs(text("ALL"), &error, &image, message, severity) > 0) {
        if (reason.isEmpty()) {
            reason = QString::fromLocal8Bit(message);
        }
    }
    return !reason.isEmpty() ? reason : QString::fromLocal8Bit(iso_error_to_msg(code));
}

void check(int result, const QString& target, const QString& what) {
    if (result < 0) {
        throw WriteError(target, what + libraryReason(result));
    }
}

Image buildImage(const DiscTree& tree, const QString& title, const QString& target) {
    IsoImage* raw = nullptr;
    check(iso_image_new(title.toUtf8().constData(), &raw), target, QString());
    Image image(raw);
    iso_image_set_ignore_aclea(image.get(), 3);  // no ACLs nor extended attributes on a disc
    QHash<QString, IsoDir*> folders{{QString(), iso_image_get_root(image.get())}};
    for (const DiscItem& item : tree.items) {
        if (item.kind != DiscItem::Kind::Folder && item.kind != DiscItem::Kind::File) {
            continue;
        }
        const qsizetype slash = item.path.lastIndexOf(u'/');
        IsoNode* node = nullptr;
        check(iso_tree_add_new_node(image.get(), folders.value(slash < 0 ? QString() : item.path.left(slash)),
                                    item.path.mid(slash + 1).toUtf8().constData(),
                                    QFile::encodeName(item.source).constData(), &node),
              target, QDir::toNativeSeparators(item.source) + QStringLiteral(" cannot be added: "));
        if (item.kind == DiscItem::Kind::Folder) {
            folders.insert(item.path, reinterpret_cast<IsoDir*>(node));
        }
    }
    return image;
}

Options imageOptions(const QString& target) {
    IsoWriteOpts* raw = nullptr;
    check(iso_write_opts_new(&raw, 1), target, QString());
    Options options(raw);
    iso_write_opts_set_iso_level(raw, 3);  // files of 4 GiB and more
    iso_write_opts_set_rockridge(raw, 1);
    iso_write_opts_set_joliet(raw, 1);
    iso_write_opts_set_dir_rec_mtime(raw, 1 | 2);      // the files' own dates in the ISO and Joliet names
    iso_write_opts_set_replace_mode(raw, 1, 1, 1, 1);  // readable by everyone, owned by nobody in particular
    iso_write_opts_set_fifo_size(raw, 8192);           // 16 MiB between the generator and the file
    return options;
}

// The label of the ISO 9660 names over the one libisofs made from the title for both name sets.
void labelPrimaryVolume(char* image, qint64 size, const QString& title) {
    if (size >= kVolumeIdAt + kVolumeIdLength && QByteArray(image + 16 * 2048, 6) == QByteArray("\1CD001")) {
        const QByteArray label = isoVolumeId(title).toLatin1().leftJustified(kVolumeIdLength, ' ');
        std::copy(label.begin(), label.end(), image + kVolumeIdAt);
    }
}

}  // namespace

QString isoVolumeId(const QString& title) {
    QString id;
    bool gap = false;
    for (const QChar c : title.normalized(QString::NormalizationForm_KD)) {
        if (c.isMark()) {
            continue;  // the accent of a letter split from it above
        }
        const QChar upper = c.toUpper();
        if ((upper >= u'A' && upper <= u'Z') || (upper >= u'0' && upper <= u'9')) {
            id += gap && !id.isEmpty() ? QStringLiteral("_") + upper : QString(upper);
            gap = false;
        } else {
            gap = true;
        }
    }
    id.truncate(kVolumeIdLength);
    return id.isEmpty() ? QStringLiteral("DISC") : id;
}

bool writeIsoImage(const DiscTree& tree, const QString& title, const QString& target,
                   const ImageProgress& progress) {
    initLibrary();
    libraryReason(0);  // forget what earlier images left in the queue
    const Image image = buildImage(tree, title, target);
    const Options options = imageOptions(target);
    burn_source* raw = nullptr;
    check(iso_image_create_burn_source(image.get(), options.get(), &raw), target, QString());
    const Source source(raw);
    const qint64 total = source->get_size(source.get());

    SafeFile out(target);
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (qint64 done = 0; progress(done, total);) {
        if (done == total) {
            out.commit();
            return true;
        }
        // The source gives whole pieces only: the last one is asked for by its own size.
        const int want = static_cast<int>(std::min(kChunk, total - done));
        if (source->read_xt(source.get(), reinterpret_cast<unsigned char*>(buffer.data()), want) != want) {
            throw WriteError(target, libraryReason(ISO_FILE_READ_ERROR));
        }
        if (done == 0) {
            labelPrimaryVolume(buffer.data(), want, title);
        }
        out.write(buffer.constData(), want);
        done += want;
        if (done % kFlushEvery == 0) {
            out.flushSoFar();
        }
    }
    return false;
}

}  // namespace torvel
