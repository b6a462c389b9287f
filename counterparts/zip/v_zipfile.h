// The zip component: one object zips files into a new archive or unzips the
// entries of an existing one below a chosen folder. Every operation reports
// whether it worked; an object is used on one thread.
#pragma once

#ifdef _WIN32
#  ifdef V_ZIPFILE_BUILD
#    define V_ZIPFILE_API __declspec(dllexport)
#  else
#    define V_ZIPFILE_API __declspec(dllimport)
#  endif
#else
#  define V_ZIPFILE_API
#endif

namespace vzip { struct ZipSession; }

class v_zipfile {
public:
    // Size of the buffer that retrieve_relate_filename fills.
    enum { kRelateNameSize = 260 };

    V_ZIPFILE_API v_zipfile();
    V_ZIPFILE_API ~v_zipfile();
    v_zipfile(const v_zipfile&) = delete;
    // Assignment copies the settings (the related folder) and leaves both objects'
    // open archives with their owners, so no archive is ever closed twice.
    v_zipfile& operator=(const v_zipfile& other) {
        copy_settings_from(other);
        return *this;
    }
    V_ZIPFILE_API void copy_settings_from(const v_zipfile& other);

    // Zipping: create, add files (stored under their bare file names), finish.
    // A failed add spoils the archive: close_v_zipfile_forzip then deletes it and
    // answers false.
    V_ZIPFILE_API bool open_v_zipfile_forzip(const char* archivePath);
    V_ZIPFILE_API bool add_a_file(const char* filePath);
    // The same under storedName, which may name folders ("certs/certs.p7b"):
    // unzipping writes the file into those folders below the related folder.
    V_ZIPFILE_API bool add_a_file_as(const char* filePath, const char* storedName);
    V_ZIPFILE_API bool close_v_zipfile_forzip();

    // Unzipping: open, choose the folder, unzip entries 1..get_filecount().
    V_ZIPFILE_API bool open_v_zipfile_forunzip(const char* archivePath);
    V_ZIPFILE_API void set_relate_path(const char* folder);
    V_ZIPFILE_API int get_filecount() const;
    // Writes entry `number` (from 1) below the related folder, under its stored
    // name when outputName is null or empty, else under outputName. Names that
    // would leave that folder, and an entry that would overwrite the archive
    // itself, are refused; a file whose data turns out corrupt is deleted again.
    V_ZIPFILE_API bool unzip_zipblock_tofile(int number, const char* outputName);
    // Fills buffer (kRelateNameSize bytes) with the name, relative to the related
    // folder, of the first file unzipped since the archive was opened; false (and
    // an empty text) when none was or it does not fit.
    V_ZIPFILE_API bool retrieve_relate_filename(char* buffer) const;
    V_ZIPFILE_API void close_v_zipfile();

private:
    vzip::ZipSession* m_session;
};
