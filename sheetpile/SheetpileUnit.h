// The seepage model and the flow-net picture: the one header a front end includes.
//
// TModel (ModelState.h) holds all state; its members are the model's routines, argument-free
// or with a few numbers, communicating through that state:
//   InitModel, SetupGeometry            geometry and start-up
//   SolveHeadLoss, SolveStreamFunction  the two relaxation solvers (one per worker)
//   RefineHead, RefineStream            4x refinement of the solved fields
//   ComputeDischarge                    Nd, Nf and the shape factor
//   BuildGradientField, RefineGradient  the vertical gradient the zone overlays draw from
//   FineHeadAt                          the probe's race-free read of the refined head loss
//   RenderNet, DrawStructure            compose NetBitmap with new counts, then the structure
//   RedrawNet                           recompose after a zone flag changed (stored counts)
//   ShowNetPicture, ShowNetBitmap       the shown picture: strip and net, or the net alone
//   DrawEquipotentials, DrawFlowLines   contour marking of the two fields
//   DrawZones, HeaveThreshold           heave and critical-zone overlays
// TThread1Execute / TThread2Execute are the bodies of the two workers of a run.
#pragma once

#include "sheetpile/Canvas.h"
#include "sheetpile/Geometry.h"
#include "sheetpile/ModelState.h"
