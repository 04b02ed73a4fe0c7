#include "resource_list.h"

#include <cwchar>

Resource* NewResourceForFile(const wchar_t* path, FileKind kind)
{
    Resource* resource = new Resource{};
    PYX_DoInitInternalResource(resource);
    resource->fileKind = kind;
    if (path) {
        wcsncpy(resource->fileName, path, 259);
        resource->fileName[259] = 0;
    }
    return resource;
}

void ImageAppender::Append(Image* image)
{
    if (!last) {
        last = resource->firstImage;
        while (last && last->next)
            last = last->next;
    }
    image->next = nullptr;
    image->prev = last;
    if (last)
        last->next = image;
    else
        resource->firstImage = image;
    last = image;
    resource->imageCount++;
}
