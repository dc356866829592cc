target_sources(norvalis_dialogs PRIVATE
    period_config_dialog.cpp period_config_dialog.h
    period_dialog_layout.h
    period_list_edit.cpp period_list_edit.h)
