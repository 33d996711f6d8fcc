#pragma once
// Turning catalogue data (relative reactances, time constants, rated values) into the physical
// circuit constants the state equations integrate, the stabilizer's polynomials and companion
// matrices, and the rated operating point. Every formula is evaluated with the floating-point
// fault flags cleared before and tested after it: a failing formula raises its fault and leaves
// the fields computed before it updated, the rest as they were.
#include "core/model/parameter_record.h"

namespace tgsim {

// Rotor circuits of the model named by `model` ("Klasyc" or "Canaya"), then the stator and
// transformer inductances and the four inverse inductance matrices. Any other model name leaves
// all these fields unchanged.
void computeRotorCircuits(TParametry& r);

// PSS2A (order 9): the five polynomials from T1..T9, Tw1..Tw4 and both companion matrices.
void computePss2aCoefficients(TParametry& r);

// Single-input stabilizer (order 4); T0 is read from the stabilizer grid but is no field.
void computeSingleInputCoefficients(TParametry& r, double T0);

// fin, Efn and deltaN of the rated operating point.
void computeRatedPoint(TParametry& r);

}  // namespace tgsim
