// Documents for the tests and the benchmarks: a document without Images, Images appended
// one by one, and a document's Images in list order.
#pragma once

#include <vector>

#include "core/pyx.h"

inline Resource* DocumentWithoutImages()
{
    Resource* document = PYX_CreateNewResource();
    PYX_DeleteImage(document->firstImage);
    document->firstImage = nullptr;
    document->imageCount = 0;
    return document;
}

// Links `image` after the document's last Image and counts it.
inline void AppendImage(Resource* document, Image* image)
{
    Image* last = document->firstImage;
    while (last && last->next)
        last = last->next;
    image->prev = last;
    image->next = nullptr;
    (last ? last->next : document->firstImage) = image;
    document->imageCount++;
}

inline std::vector<Image*> Images(Resource* document)
{
    std::vector<Image*> images;
    for (Image* image = document->firstImage; image; image = image->next)
        images.push_back(image);
    return images;
}
