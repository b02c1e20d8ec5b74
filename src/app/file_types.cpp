#include "app/file_types.h"

namespace qv::FileTypes {

namespace {

FileTypePtr Make(const char* name, const char* extensions, const char* macType,
                 const char* macCreator) {
    auto t = std::make_shared<FileType>();
    t->Name = QString::fromUtf8(name);
    t->Extensions = QString::fromUtf8(extensions);
    t->MacType = QString::fromUtf8(macType);
    t->MacCreator = QString::fromUtf8(macCreator);
    FileTypeRegistry::Register(t);
    return t;
}

FileTypePtr* const kFields[] = {&pImageXTiff,       &pImageTiff, &pApplicationVndMsExcel,
                                &pImageAny,         &pImageBiorad, &pApplicationExcel,
                                &pImagePng,         &pVideoQuicktime};

}  // namespace

void _Initialize() {
    Release();
    pImageXTiff = Make("image/x-tiff", ".tif;.tiff", "????", "????");
    pImageTiff = Make("image/tiff", ".jfx;.tif;.tiff", "TIFF", "????");
    pApplicationVndMsExcel = Make("application/vnd.ms-excel", ".xls", "XLS ", "XCEL");
    pImageAny = Make("image/any", ".jpg;.tiff;.tif;.bmp;.gif;.jpeg", "", "");
    pImageBiorad = Make("image/biorad", ".PIC;.pic", "????", "????");
    pApplicationExcel = Make("application/excel", ".xls;.xcl", "", "");
    pImagePng = Make("image/png", ".png", "PNGf", "prvw");
    pVideoQuicktime = Make("video/quicktime", ".moov;.mov;.qt", "MooV", "TVOD");
}

void Release() {
    for (FileTypePtr* field : kFields) {
        if (*field) FileTypeRegistry::Unregister(*field);
        field->reset();
    }
}

}  // namespace qv::FileTypes
