// The undo chain through its exports: ring limits, discarding, and what each kind restores.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/pyx.h"
#include "harness/test_bitmaps.h"
#include "document_builders.h"

namespace {

// A document whose Images are told apart by their hot spot x ("tags").
Resource* TaggedDocument(int count)
{
    Resource* document = DocumentWithoutImages();
    for (int i = 0; i < count; i++) {
        Image* image = PYX_CreateImage(4, 4);
        image->hotspotX = int16_t(i);
        AppendImage(document, image);
    }
    return document;
}

// The tags in list order; also checks that the links and the count agree.
std::vector<int> Tags(Resource* document)
{
    std::vector<int> tags;
    Image* previous = nullptr;
    for (Image* image = document->firstImage; image; image = image->next) {
        EXPECT_EQ(image->prev, previous) << "back link of image " << tags.size();
        tags.push_back(image->hotspotX);
        previous = image;
    }
    EXPECT_EQ(size_t(document->imageCount), tags.size());
    return tags;
}

Image* At(Resource* document, int index)
{
    Image* image = document->firstImage;
    while (image && index-- > 0)
        image = image->next;
    return image;
}

Image* Unlink(Resource* document, int index)
{
    Image* image = At(document, index);
    (image->prev ? image->prev->next : document->firstImage) = image->next;
    if (image->next)
        image->next->prev = image->prev;
    image->prev = image->next = nullptr;
    document->imageCount--;
    return image;
}

void Insert(Resource* document, int index, Image* image)
{
    Image* after = At(document, index);
    Image* before = after ? after->prev : At(document, document->imageCount - 1);
    image->prev = before;
    image->next = after;
    (before ? before->next : document->firstImage) = image;
    if (after)
        after->prev = image;
    document->imageCount++;
}

Image* Tagged(int tag)
{
    Image* image = PYX_CreateImage(4, 4);
    image->hotspotX = int16_t(tag);
    return image;
}

std::vector<int> RingFirsts(UndoChain* chain)
{
    std::vector<int> firsts;
    for (UndoRing* ring = chain->firstRing; ring; ring = ring->next)
        firsts.push_back(ring->first);
    return firsts;
}

}  // namespace

TEST(UndoChain, NewChainIsEmpty)
{
    UndoChain* chain = PYX_InitNewUndoChain();
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->count, 0);
    EXPECT_EQ(chain->position, -1);
    EXPECT_EQ(chain->firstRing, nullptr);
    EXPECT_EQ(chain->canUndo, 0u);
    EXPECT_EQ(chain->canRedo, 0u);
    Resource* document = TaggedDocument(2);
    EXPECT_EQ(PYX_Undo(chain, document), -1);
    EXPECT_EQ(PYX_Redo(chain, document), -1);
    EXPECT_EQ(Tags(document), (std::vector<int>{0, 1}));
    PYX_DeleteUndoChain(chain);
    PYX_DeleteUndoChain(nullptr);
    PYX_DoCleanupInternalResource(document);
}

TEST(UndoChain, KeepsTheNewestTwentyRings)
{
    UndoChain* chain = PYX_InitNewUndoChain();
    Resource* document = TaggedDocument(3);
    for (int i = 0; i < 25; i++)
        PYX_AddChangeUndoRing(chain, i, document);  // indexes past 2 hold no Image
    EXPECT_EQ(chain->count, 20);
    EXPECT_EQ(chain->position, 19);
    EXPECT_EQ(chain->canUndo, 1u);
    EXPECT_EQ(chain->canRedo, 0u);
    std::vector<int> firsts = RingFirsts(chain);
    ASSERT_EQ(firsts.size(), 20u);
    EXPECT_EQ(firsts.front(), 5) << "the five oldest rings were dropped";
    EXPECT_EQ(firsts.back(), 24);
    for (int i = 0; i < 20; i++)
        EXPECT_EQ(PYX_Undo(chain, document), 24 - i) << "undo " << i;
    EXPECT_EQ(chain->position, -1);
    EXPECT_EQ(chain->canUndo, 0u);
    EXPECT_EQ(chain->canRedo, 1u);
    EXPECT_EQ(PYX_Undo(chain, document), -1) << "the 21st undo";
    for (int i = 0; i < 20; i++)
        EXPECT_EQ(PYX_Redo(chain, document), 5 + i) << "redo " << i;
    EXPECT_EQ(chain->canRedo, 0u);
    EXPECT_EQ(PYX_Redo(chain, document), -1);
    EXPECT_EQ(Tags(document), (std::vector<int>{0, 1, 2}));
    PYX_DeleteUndoChain(chain);
    PYX_DoCleanupInternalResource(document);
}

TEST(UndoChain, RecordingAfterUndoDiscardsWhatCouldBeRedone)
{
    UndoChain* chain = PYX_InitNewUndoChain();
    Resource* document = TaggedDocument(1);
    for (int ring = 1; ring <= 3; ring++)
        PYX_AddMoveUndoRing(chain, ring, ring);
    PYX_Undo(chain, document);
    PYX_Undo(chain, document);
    PYX_AddMoveUndoRing(chain, 4, 4);
    EXPECT_EQ(RingFirsts(chain), (std::vector<int>{1, 4}));
    EXPECT_EQ(chain->count, 2);
    EXPECT_EQ(chain->position, 1);
    EXPECT_EQ(chain->canRedo, 0u);
    EXPECT_EQ(PYX_Redo(chain, document), -1);

    // Undone all the way: the next recording starts a fresh chain.
    PYX_Undo(chain, document);
    PYX_Undo(chain, document);
    EXPECT_EQ(chain->position, -1);
    PYX_AddMoveUndoRing(chain, 5, 5);
    EXPECT_EQ(RingFirsts(chain), (std::vector<int>{5}));
    EXPECT_EQ(chain->count, 1);
    EXPECT_EQ(chain->position, 0);
    EXPECT_EQ(chain->canUndo, 1u);
    EXPECT_EQ(chain->canRedo, 0u);
    PYX_DeleteUndoChain(chain);
    PYX_DoCleanupInternalResource(document);
}

// Each kind as the panels use it: record, make the change, undo, redo, undo once more.
TEST(UndoChain, EachKindRestoresTheList)
{
    struct Case {
        const char* name;
        std::function<void(UndoChain*, Resource*)> recordAndChange;
        std::vector<int> changed, undone;
        int undoResult, redoResult;
    };
    const std::vector<Case> cases = {
        {"move 0 to 2",
         [](UndoChain* chain, Resource* document) {
             PYX_AddMoveUndoRing(chain, 0, 2);
             Insert(document, 2, Unlink(document, 0));
         },
         {1, 2, 0, 3}, {0, 1, 2, 3}, 0, 2},
        {"move 3 to 0",
         [](UndoChain* chain, Resource* document) {
             PYX_AddMoveUndoRing(chain, 3, 0);
             Insert(document, 0, Unlink(document, 3));
         },
         {3, 0, 1, 2}, {0, 1, 2, 3}, 3, 0},
        {"change 2",
         [](UndoChain* chain, Resource* document) {
             PYX_AddChangeUndoRing(chain, 2, document);
             At(document, 2)->hotspotX = 20;
         },
         {0, 1, 20, 3}, {0, 1, 2, 3}, 2, 2},
        {"delete 1",
         [](UndoChain* chain, Resource* document) {
             PYX_AddDeleteUndoRing(chain, 1, document);
             PYX_DeleteImage(Unlink(document, 1));
         },
         {0, 2, 3}, {0, 1, 2, 3}, 1, 0},
        {"delete the last",
         [](UndoChain* chain, Resource* document) {
             PYX_AddDeleteUndoRing(chain, 3, document);
             PYX_DeleteImage(Unlink(document, 3));
         },
         {0, 1, 2}, {0, 1, 2, 3}, 3, 0},
        {"new at 2",
         [](UndoChain* chain, Resource* document) {
             Insert(document, 2, Tagged(9));
             PYX_AddNewUndoRing(chain, 2);
         },
         {0, 1, 9, 2, 3}, {0, 1, 2, 3}, 0, 2},
        {"standard formats 2 to 4",
         [](UndoChain* chain, Resource* document) {
             for (int i = 0; i < 3; i++)
                 Insert(document, 2 + i, Tagged(7 + i));
             PYX_AddSFUndoRing(chain, 2, 4);
         },
         {0, 1, 7, 8, 9, 2, 3}, {0, 1, 2, 3}, 1, 2},
        {"standard formats at the end",
         [](UndoChain* chain, Resource* document) {
             Insert(document, 4, Tagged(7));
             Insert(document, 5, Tagged(8));
             PYX_AddSFUndoRing(chain, 4, 5);
         },
         {0, 1, 2, 3, 7, 8}, {0, 1, 2, 3}, 3, 4},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        UndoChain* chain = PYX_InitNewUndoChain();
        Resource* document = TaggedDocument(4);
        test.recordAndChange(chain, document);
        ASSERT_EQ(Tags(document), test.changed);
        EXPECT_EQ(PYX_Undo(chain, document), test.undoResult);
        EXPECT_EQ(Tags(document), test.undone);
        EXPECT_EQ(PYX_Redo(chain, document), test.redoResult);
        EXPECT_EQ(Tags(document), test.changed) << "redo brings the change back";
        EXPECT_EQ(PYX_Undo(chain, document), test.undoResult);
        EXPECT_EQ(Tags(document), test.undone) << "and undo takes it away again";
        PYX_DeleteUndoChain(chain);
        PYX_DoCleanupInternalResource(document);
    }
}

TEST(UndoChain, ChangeRingsSwapThePixelsBackAndForth)
{
    UndoChain* chain = PYX_InitNewUndoChain();
    Resource* document = TaggedDocument(2);
    PaintPixels(At(document, 1)->composite, [](int, int) { return 0xFF0000FFu; });
    PYX_AddChangeUndoRing(chain, 1, document);
    ASSERT_NE(chain->firstRing->images, nullptr);
    EXPECT_NE(chain->firstRing->images, At(document, 1)) << "the ring holds a copy";
    PaintPixels(At(document, 1)->composite, [](int, int) { return 0x80FF0000u; });
    const std::vector<uint32_t> recorded(16, 0xFF0000FFu), changed(16, 0x80FF0000u);
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        EXPECT_EQ(PYX_Undo(chain, document), 1);
        EXPECT_EQ(ReadPixels(At(document, 1)->composite), recorded);
        EXPECT_EQ(PYX_Redo(chain, document), 1);
        EXPECT_EQ(ReadPixels(At(document, 1)->composite), changed);
    }
    EXPECT_EQ(Tags(document), (std::vector<int>{0, 1}));
    PYX_DeleteUndoChain(chain);
    PYX_DoCleanupInternalResource(document);
}

// Rings recorded for indexes the list does not have restore nothing, in either direction.
TEST(UndoChain, RingsOutsideTheListChangeNothing)
{
    struct Case {
        const char* name;
        std::function<void(UndoChain*, Resource*)> record;
        int undoResult, redoResult;
    };
    const std::vector<Case> cases = {
        {"change 7", [](UndoChain* c, Resource* d) { PYX_AddChangeUndoRing(c, 7, d); }, 7, 7},
        {"change -1", [](UndoChain* c, Resource* d) { PYX_AddChangeUndoRing(c, -1, d); }, -1, -1},
        {"delete 3", [](UndoChain* c, Resource* d) { PYX_AddDeleteUndoRing(c, 3, d); }, 3, 0},
        {"move 1 to 5", [](UndoChain* c, Resource*) { PYX_AddMoveUndoRing(c, 1, 5); }, 1, 5},
        {"move -2 to 0", [](UndoChain* c, Resource*) { PYX_AddMoveUndoRing(c, -2, 0); }, -2, 0},
        {"new 6", [](UndoChain* c, Resource*) { PYX_AddNewUndoRing(c, 6); }, 0, 6},
        {"standard formats 2 to 9", [](UndoChain* c, Resource*) { PYX_AddSFUndoRing(c, 2, 9); }, 1, 2},
        {"standard formats 2 to 1", [](UndoChain* c, Resource*) { PYX_AddSFUndoRing(c, 2, 1); }, 1, 2},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        UndoChain* chain = PYX_InitNewUndoChain();
        Resource* document = TaggedDocument(3);
        test.record(chain, document);
        if (chain->firstRing->kind == kChangeRing || chain->firstRing->kind == kDeleteRing) {
            EXPECT_EQ(chain->firstRing->images, nullptr) << "no Image to copy";
        }
        EXPECT_EQ(PYX_Undo(chain, document), test.undoResult);
        EXPECT_EQ(Tags(document), (std::vector<int>{0, 1, 2}));
        EXPECT_EQ(PYX_Redo(chain, document), test.redoResult);
        EXPECT_EQ(Tags(document), (std::vector<int>{0, 1, 2}));
        PYX_DeleteUndoChain(chain);
        PYX_DoCleanupInternalResource(document);
    }
}

TEST(UndoChain, MovesNeedTwoImages)
{
    UndoChain* chain = PYX_InitNewUndoChain();
    Resource* document = TaggedDocument(1);
    PYX_AddMoveUndoRing(chain, 0, 0);
    EXPECT_EQ(PYX_Undo(chain, document), 0);
    EXPECT_EQ(PYX_Redo(chain, document), 0);
    EXPECT_EQ(Tags(document), (std::vector<int>{0}));
    PYX_DeleteUndoChain(chain);
    PYX_DoCleanupInternalResource(document);
}

// A chain destroyed while its rings hold Images (deleted, undone new and standard-format
// runs) frees them; and the document keeps only what is linked.
TEST(UndoChain, HeldImagesBelongToTheChain)
{
    UndoChain* chain = PYX_InitNewUndoChain();
    Resource* document = TaggedDocument(3);
    PYX_AddDeleteUndoRing(chain, 0, document);
    PYX_DeleteImage(Unlink(document, 0));
    Insert(document, 2, Tagged(5));
    Insert(document, 3, Tagged(6));
    PYX_AddSFUndoRing(chain, 2, 3);
    EXPECT_EQ(PYX_Undo(chain, document), 1);
    EXPECT_EQ(Tags(document), (std::vector<int>{1, 2}));
    Image* held = chain->firstRing->next->images;
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->hotspotX, 5);
    ASSERT_NE(held->next, nullptr);
    EXPECT_EQ(held->next->hotspotX, 6);
    EXPECT_EQ(held->next->next, nullptr);
    PYX_DeleteUndoChain(chain);
    EXPECT_EQ(Tags(document), (std::vector<int>{1, 2}));
    PYX_DoCleanupInternalResource(document);
}
