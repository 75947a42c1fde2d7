// Eurocode 7 (EN 1997-1:2004, 2.4.7.5) verification against hydraulic heave (HYD) on a soil
// prism.
//
// Computes: (2.9a) total stresses at the prism's base, u = gamma_w (t_w + d + h_a) against
// sigma = gamma_sat d + gamma_w t_w; (2.9b) effective forces, S = gamma_w h_a B against
// G' = gamma' d B; the design values (destabilising x gamma_G;dst, stabilising x gamma_G;stb)
// and the utilisations (destabilising over stabilising design value, <= 1 passes).
//
// Assumes: gamma' = i_c gamma_w and gamma_sat = gamma' + gamma_w; t_w is EffectiveTailwater; the
// prism's depth, width and mean base excess head come from Terzaghi's prism (TerzaghiPrism.h),
// so under a downstream blanket the prism stands at the blanket's end. No surcharge or filter.
// 2.9a factors the whole pore pressure, hydrostatic part included, as the standard's text has
// it; it can ask for far more embedment than 2.9b.
//
// Holds: the design values are finite or NaN with the reason; utilisations likewise.
#pragma once

#include "checks/CheckSettings.h"
#include "checks/TerzaghiPrism.h"

namespace verrask::checks {

struct TEc7Hydraulic {
    long double UCharacteristic = NotAvailable;     // u_k at the base, kPa
    long double SigmaCharacteristic = NotAvailable; // sigma_k at the base, kPa
    long double U = NotAvailable;                   // u_dst;d, kPa
    long double Sigma = NotAvailable;               // sigma_stb;d, kPa
    long double UtilisationA = NotAvailable;        // U / Sigma (2.9a)
    long double SCharacteristic = NotAvailable;     // S_k, kN/m
    long double GCharacteristic = NotAvailable;     // G'_k, kN/m
    long double S = NotAvailable;                   // S_dst;d, kN/m
    long double G = NotAvailable;                   // G'_stb;d, kN/m
    long double UtilisationB = NotAvailable;        // S / G (2.9b)
    std::string Reason;
};

// The formula layer: a prism of depth d and width B (m) with mean excess head h_a (m) on its
// base, soil of critical gradient i_c.
TEc7Hydraulic Ec7Hyd(long double depth, long double width, long double meanExcessHead,
                     long double criticalGradient, const TCheckSettings& s);

// The check on Terzaghi's prism of the model.
TEc7Hydraulic ComputeEc7Hydraulic(const section::TNodeResult& m, const TTerzaghiPrism& prism,
                                  const TCheckSettings& s);

} // namespace verrask::checks
