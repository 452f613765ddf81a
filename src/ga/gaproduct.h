#pragma once
// The bilinear products every algebra offers, as template arguments of the
// generic product member.  The order matches the generator's product list.
namespace ga {
enum productId {
	P_GP,    // geometric product
	P_OP,    // outer product
	P_LCONT, // left contraction
	P_RCONT, // right contraction
	P_SCP,   // scalar product
	P_HIP,   // Hestenes inner product (scalars contribute nothing)
	P_MHIP,  // modified Hestenes inner product
	P_GPEM,  // geometric product, every basis vector orthonormal
	P_LCEM,  // left contraction, every basis vector orthonormal
	P_SCPEM  // scalar product, every basis vector orthonormal
};
// Parts of a product that some pairs have kernels of their own for: the
// vector part alone, and every grade but the vectors.
enum productPart { PART_VECTOR, PART_NONVECTOR };
} // namespace ga
