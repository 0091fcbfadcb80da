#pragma once
// Enhanced metafiles: recorded drawings kept as the bytes of the enhanced-metafile format (EmfRecords.h).
// A metafile handle holds the checked bytes; the functions below read and write them, enumerate their
// records and play them on a device context. The recorder that makes them: EmfRecorder.h.
//
// Playing maps the header's frame (0.01 mm, converted at the reference device's resolution) onto a
// rectangle of the target context, scaling every coordinate, pen width, font size, advance and blit
// destination itself; the target's state is saved before and restored after; the metafile's clipping
// stays within the clip the target had; the objects the metafile creates are deleted at the end.
//
// Failures answer null or FALSE with the last error set: ERROR_INVALID_HANDLE for a bad handle,
// ERROR_INVALID_DATA for bytes that are not a well-formed metafile of the supported subset,
// ERROR_FILE_NOT_FOUND or ERROR_ACCESS_DENIED for files.

#include "platform/metafile/EmfRecords.h"
#include "platform/wintypes/GdiTypes.h"

#include <string>
#include <string_view>

namespace win {

struct HENHMETAFILE__;
using HENHMETAFILE = HENHMETAFILE__*;

using ENHMETAHEADER = emf::EnhMetaHeader;

struct ENHMETARECORD {
    DWORD iType;
    DWORD nSize;
    DWORD dParm[1];
};
// The objects a metafile has made, by its object index; entry 0 stands for the metafile itself.
struct HANDLETABLE {
    HGDIOBJ objectHandle[1];
};
// Called for each record with the target (possibly null), the handle table, the record, the table's size
// and the caller's data; 0 stops the enumeration.
using ENHMFENUMPROC = int (*)(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int objects, LPARAM data);

// The throwing form for the picture classes: a handle for checked bytes, EInvalidGraphic otherwise.
HENHMETAFILE ReadEnhMetaFile(std::string_view bytes);
// A copy of the metafile's bytes (empty for an invalid handle).
std::string EnhMetaFileBytes(HENHMETAFILE metafile);

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
// With data null: the size of the bytes; otherwise copies them when size allows and answers their size.
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data);
HENHMETAFILE GetEnhMetaFileA(const char* fileName);
HENHMETAFILE GetEnhMetaFileW(const char16_t* fileName);
// fileName null: a copy in memory; otherwise the file is written (atomically) and the copy is bound to it.
HENHMETAFILE CopyEnhMetaFileA(HENHMETAFILE metafile, const char* fileName);
HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE metafile, const char16_t* fileName);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
// With header null: the header's size; otherwise copies up to size bytes of it.
UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header);

// Calls callback for every record in order. With dc set, the records a callback passes to
// PlayEnhMetaFileRecord are played into rect as PlayEnhMetaFile plays them; dc may be null to enumerate
// only. FALSE when the callback stopped it or an argument is bad.
BOOL EnumEnhMetaFile(HDC dc, HENHMETAFILE metafile, ENHMFENUMPROC callback, LPARAM data, const RECT* rect);
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
// Plays one record; only inside EnumEnhMetaFile, with the target, transform and table of that
// enumeration (dc is that enumeration's).
BOOL PlayEnhMetaFileRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, UINT objects);

}  // namespace win
