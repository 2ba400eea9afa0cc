// The question at the foot of the title and result screens.
#pragma once

// Shows the prompt on the cursor's row and reads keys until one of the accepted characters comes;
// any other key is answered with the invalid-selection message, then the prompt again. Returns the
// accepted key, or kInputEnded when the input has ended.
int prompt_for_key(const char* prompt, const char* accepted);
