#include "ZipArchive.h"

#include <zip.h>

namespace velars::test {

std::optional<std::vector<ZipEntry>> ReadZip(const QByteArray& archive) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive.constData(),
                                                    zip_uint64_t(archive.size()), 0, &error);
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error)
                        : nullptr;
    zip_error_fini(&error);
    if (zip == nullptr) {
        zip_source_free(source);
        return std::nullopt;
    }
    std::optional<std::vector<ZipEntry>> entries(std::in_place);
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count && entries; ++i) {
        zip_stat_t stat;
        zip_file_t* file = nullptr;
        if (zip_stat_index(zip, zip_uint64_t(i), 0, &stat) < 0 ||
            (file = zip_fopen_index(zip, zip_uint64_t(i), 0)) == nullptr) {
            entries.reset();
            break;
        }
        ZipEntry entry;
        entry.name = QString::fromUtf8(stat.name);
        entry.method = int(stat.comp_method);
        entry.data.resize(qsizetype(stat.size));
        if (zip_fread(file, entry.data.data(), stat.size) != zip_int64_t(stat.size))
            entries.reset();
        else
            entries->push_back(std::move(entry));
        zip_fclose(file);
    }
    zip_discard(zip);  // frees the source too
    return entries;
}

}  // namespace velars::test
