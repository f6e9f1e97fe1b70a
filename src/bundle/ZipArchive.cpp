#include "bundle/ZipArchive.h"

#include <zip.h>

#include <sys/stat.h>

namespace kw::bundle {

namespace {

// The libzip error as text, and the error released.
std::string errorText(zip_error_t &error)
{
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

// Failures while writing a bundle, with libzip's own words in brackets.
const std::string kNotCreated = "Das Layout-Paket kann nicht angelegt werden (libzip: ";
constexpr const char *kNotReadBack = "Das fertige Layout-Paket kann nicht zurückgelesen werden.";

std::runtime_error memberFailure(const std::string &name, zip_t *zip)
{
    return std::runtime_error("\"" + name + "\" kann nicht in das Layout-Paket aufgenommen werden (libzip: " +
                              zip_strerror(zip) + ").");
}

bool startsLikeZip(std::span<const std::uint8_t> bytes)
{
    // A local file header or the end record of an empty archive.
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' &&
           ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6));
}

} // namespace

ZipReader::ZipReader(std::span<const std::uint8_t> bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source)
        throw BundleRefusal("die Zip-Datei lässt sich nicht öffnen (libzip: " + errorText(error) + ")");
    m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!m_zip) {
        zip_source_free(source);
        const int code = zip_error_code_zip(&error);
        const std::string detail = errorText(error);
        if (!startsLikeZip(bytes))
            throw BundleRefusal("es ist keine Zip-Datei");
        if (code == ZIP_ER_NOZIP)
            throw BundleRefusal("die Zip-Datei ist abgeschnitten (ihr Verzeichnis am Ende fehlt)");
        throw BundleRefusal("die Zip-Datei ist beschädigt (libzip: " + detail + ")");
    }
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    m_count = count > 0 ? static_cast<std::size_t>(count) : 0;
}

ZipReader::~ZipReader()
{
    zip_discard(m_zip);
}

ZipEntry ZipReader::entry(std::size_t index) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, index, 0, &stat) != 0)
        throw BundleRefusal("der Eintrag " + std::to_string(index + 1) +
                            " der Zip-Datei ist unlesbar (libzip: " + zip_strerror(m_zip) + ")");
    constexpr zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD;
    if ((stat.valid & needed) != needed || !stat.name)
        throw BundleRefusal("der Eintrag " + std::to_string(index + 1) + " der Zip-Datei ist unvollständig");
    ZipEntry entry;
    entry.name = stat.name;
    entry.size = stat.size;
    entry.packedSize = stat.comp_size;
    entry.supportedMethod = stat.comp_method == ZIP_CM_STORE || stat.comp_method == ZIP_CM_DEFLATE;
    entry.encrypted = (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(m_zip, index, 0, &system, &attributes) == 0 &&
        system == ZIP_OPSYS_UNIX)
        entry.symbolicLink = ((attributes >> 16) & S_IFMT) == S_IFLNK;
    return entry;
}

Bytes ZipReader::read(std::size_t index, const ZipEntry &entry) const
{
    zip_file_t *file = zip_fopen_index(m_zip, index, 0);
    if (!file)
        throw BundleRefusal("der Eintrag " + inQuotes(entry.name) +
                            " lässt sich nicht entpacken (libzip: " + zip_strerror(m_zip) + ")");
    // One byte more than the directory promises: a member that inflates to more is caught at once.
    Bytes bytes(entry.size + 1);
    std::uint64_t got = 0;
    std::string failure;
    while (got < bytes.size()) {
        const zip_int64_t n = zip_fread(file, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            failure = zip_file_strerror(file);
            break;
        }
        if (n == 0)
            break;
        got += static_cast<std::uint64_t>(n);
    }
    zip_fclose(file);
    if (!failure.empty())
        throw BundleRefusal("der Eintrag " + inQuotes(entry.name) + " ist beschädigt (libzip: " + failure +
                            ")");
    if (got != entry.size)
        throw BundleRefusal("der Eintrag " + inQuotes(entry.name) + " ist beschädigt: er ergibt " +
                            (got > entry.size ? "mehr als " : "") + std::to_string(got) + " statt " +
                            std::to_string(entry.size) + " Bytes");
    bytes.pop_back();
    return bytes;
}

ZipWriter::ZipWriter()
{
    zip_error_t error;
    zip_error_init(&error);
    m_buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!m_buffer)
        throw std::runtime_error(kNotCreated + errorText(error) + ").");
    zip_source_keep(m_buffer); // the archive's bytes are read from it after the archive is closed
    m_zip = zip_open_from_source(m_buffer, ZIP_TRUNCATE, &error);
    if (!m_zip) {
        zip_source_free(m_buffer);
        throw std::runtime_error(kNotCreated + errorText(error) + ").");
    }
}

ZipWriter::~ZipWriter()
{
    if (m_zip)
        zip_discard(m_zip);
    zip_source_free(m_buffer);
}

void ZipWriter::add(const std::string &name, std::span<const std::uint8_t> bytes, bool deflate,
                    std::time_t time)
{
    zip_source_t *source = zip_source_buffer(m_zip, bytes.data(), bytes.size(), 0);
    if (!source)
        throw memberFailure(name, m_zip);
    const zip_int64_t index = zip_file_add(m_zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        throw memberFailure(name, m_zip);
    }
    const auto at = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(m_zip, at, deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) != 0 ||
        zip_file_set_mtime(m_zip, at, time, 0) != 0 ||
        zip_file_set_external_attributes(m_zip, at, 0, ZIP_OPSYS_UNIX, (S_IFREG | 0644u) << 16) != 0)
        throw memberFailure(name, m_zip);
}

Bytes ZipWriter::finish()
{
    if (zip_close(m_zip) != 0)
        throw std::runtime_error("Das Layout-Paket kann nicht abgeschlossen werden (libzip: " +
                                 std::string(zip_strerror(m_zip)) + ").");
    m_zip = nullptr;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(m_buffer, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        zip_source_open(m_buffer) != 0)
        throw std::runtime_error(kNotReadBack);
    Bytes bytes(stat.size);
    const zip_int64_t n = zip_source_read(m_buffer, bytes.data(), bytes.size());
    zip_source_close(m_buffer);
    if (n < 0 || static_cast<std::uint64_t>(n) != stat.size)
        throw std::runtime_error(kNotReadBack);
    return bytes;
}

} // namespace kw::bundle
